#include <gtest/gtest.h>

#include "lsp/posizioni.h"
#include "lsp/protocollo.h"

// The compiler's columns (one Windows-1252 byte, one character) against the editor's
// UTF-16 units and UTF-8 bytes, on lines with characters of one, two, three and four
// UTF-8 bytes before the column.
TEST(PosizioniLsp, ColumnsInEveryEncoding) {
  struct caso {
    const char* testo;
    int riga, colonna;  // the compiler's, from 1
    int utf16, utf8;    // the editor's character, from 0
  };
  const caso casi[] = {
      {"segnale, 2100", 1, 10, 9, 9},
      {"velocit\xC3\xA8, 750, 183", 1, 17, 16, 17},           // è: one unit, two bytes
      {"\xE2\x82\xAC\xE2\x82\xAC, 1", 1, 4, 3, 7},             // two €: three bytes each
      {"x\xF0\x9F\x98\x80y, 1", 1, 3, 3, 5},                   // an emoji: two units, four bytes
      {"a\r\nb\xC3\xA8\rc\nd\xC3\xA8z", 4, 3, 2, 3},           // CR LF, lone CR and lone LF end lines
      {"ab", 1, 6, 5, 5},                                      // past the line's end
      {"ab", 1, 0, 0, 0},                                      // the line as a whole
  };
  for (const caso& c : casi) {
    testo_sorgente t = testo_sorgente::da_utf8(c.testo);
    EXPECT_EQ(t.verso_lsp(c.riga, c.colonna, codifica_posizioni::utf16), (posizione_lsp{c.riga - 1, c.utf16})) << c.testo;
    EXPECT_EQ(t.verso_lsp(c.riga, c.colonna, codifica_posizioni::utf8), (posizione_lsp{c.riga - 1, c.utf8})) << c.testo;
    int colonna = std::max(c.colonna, 1);
    EXPECT_EQ(t.da_lsp({c.riga - 1, c.utf16}, codifica_posizioni::utf16), std::make_pair(c.riga, colonna)) << c.testo;
    EXPECT_EQ(t.da_lsp({c.riga - 1, c.utf8}, codifica_posizioni::utf8), std::make_pair(c.riga, colonna)) << c.testo;
  }
}

TEST(PosizioniLsp, TheCompilerReadsOneByteForEachCharacter) {
  testo_sorgente t = testo_sorgente::da_utf8("st\xC3\xA8 \xE2\x82\xAC\xF0\x9F\x98\x80\xE4\xB8\xAD\r\nx");
  EXPECT_EQ(t.byte(), "st\xE8 \x80??\r\nx");  // è and € in the code page; the others "?"
  EXPECT_EQ(t.righe(), 2);
  EXPECT_EQ(t.riga_byte(1), "x");
  // A file from the disk comes back as the same bytes, and shows as Unicode.
  testo_sorgente d = testo_sorgente::da_windows_1252("st\xE8\x80");
  EXPECT_EQ(d.utf8(), "st\xC3\xA8\xE2\x82\xAC");
  EXPECT_EQ(d.byte(), "st\xE8\x80");
  // A byte that is not UTF-8 is kept as the Windows-1252 byte it is.
  EXPECT_EQ(in_windows_1252("a\xE8z"), "a\xE8z");
  EXPECT_EQ(utf8_sicuro("a\xE8z\xC3\xA8"), "a\xC3\xA8z\xC3\xA8");
}

TEST(PosizioniLsp, OffsetsOfAnEdit) {
  testo_sorgente t = testo_sorgente::da_utf8("ab\r\n\xC3\xA8" "cd\nz");
  EXPECT_EQ(t.offset_utf8({1, 1}, codifica_posizioni::utf16), 6u);  // after è
  EXPECT_EQ(t.offset_utf8({1, 2}, codifica_posizioni::utf8), 6u);
  EXPECT_EQ(t.offset_utf8({1, 99}, codifica_posizioni::utf16), 8u);  // clamped to the line
  EXPECT_EQ(t.offset_utf8({7, 0}, codifica_posizioni::utf16), t.utf8().size());
}

// Positions as the client writes them (unsigned 32-bit, or anything else), each taken
// within the text "ab\ncèd": beyond it, however far (past 31 or 32 bits, negative), is
// its end, and beyond a line's end that end; never wrapped around.
TEST(PosizioniLsp, PositionsBeyondTheTextAreItsEnd) {
  struct caso {
    json riga, carattere;
    posizione_lsp utf16, utf8;
  };
  const caso casi[] = {
      {1, 1, {1, 1}, {1, 1}},
      {1, 2, {1, 2}, {1, 2}},  // inside è in UTF-8: as the client wrote it
      {0, 5, {0, 2}, {0, 2}},
      {0, int64_t{1} << 40, {0, 2}, {0, 2}},
      {0, -1, {0, 2}, {0, 2}},
      {int64_t{1} << 31, 0, {1, 3}, {1, 4}},
      {(int64_t{1} << 32) + 1, 0, {1, 3}, {1, 4}},
      {uint64_t{4294967295}, 1, {1, 3}, {1, 4}},
      {int64_t{2147483647}, int64_t{2147483647}, {1, 3}, {1, 4}},
      {-1, 0, {1, 3}, {1, 4}},
      {1.5, 1e300, {1, 3}, {1, 4}},
  };
  testo_sorgente t = testo_sorgente::da_utf8("ab\nc\xC3\xA8" "d");
  for (const caso& c : casi) {
    posizione_lsp p = posizione_di({{"line", c.riga}, {"character", c.carattere}});
    EXPECT_EQ(t.dentro(p, codifica_posizioni::utf16), c.utf16) << c.riga << " " << c.carattere;
    EXPECT_EQ(t.dentro(p, codifica_posizioni::utf8), c.utf8) << c.riga << " " << c.carattere;
  }
  EXPECT_THROW(posizione_di({{"line", "1"}, {"character", 0}}), json::exception);
}
