#include <gtest/gtest.h>

#include "lsp/archivio_documenti.h"

// The changes of an open document, as an editor sends them, and the text they leave:
// ranges counted in UTF-16 units or in UTF-8 bytes, a range given end first, one past
// the text's end, and a whole text followed by a range. Each change is a new
// generation, waiting to be checked; a file never opened is left alone.
TEST(ArchivioDocumenti, ChangesOfAnOpenDocument) {
  using k = codifica_posizioni;
  auto in = [](int r1, int c1, int r2, int c2) { return intervallo_lsp{{r1, c1}, {r2, c2}}; };
  struct caso {
    const char* cosa;
    codifica_posizioni codifica;
    std::vector<cambiamento> cambiamenti;
    std::string atteso;
  };
  const std::string testo = "ab\nvelocit\xC3\xA8, 1\n";
  const caso casi[] = {
      {"è is one UTF-16 unit", k::utf16, {{in(1, 7, 1, 8), "e"}}, "ab\nvelocite, 1\n"},
      {"è is two UTF-8 bytes", k::utf8, {{in(1, 7, 1, 9), "e"}}, "ab\nvelocite, 1\n"},
      {"end first: an insertion at the start", k::utf16, {{in(1, 3, 1, 1), "X"}}, "ab\nvelXocit\xC3\xA8, 1\n"},
      {"past the end: appended", k::utf16, {{in(9, 0, 9, 5), "Z"}}, testo + "Z"},
      {"a whole text, then a range in it", k::utf16, {{std::nullopt, "xyz"}, {in(0, 1, 0, 2), "Y"}}, "xYz"},
  };
  for (const caso& c : casi) {
    archivio_documenti a(false);
    a.apri("file:///r/A_linea.txt", testo, 1);
    EXPECT_EQ(a.prendi_da_controllare(), std::set<std::string>{"file:///r/A_linea.txt"}) << c.cosa;
    a.cambia("file:///r/A_linea.txt", c.cambiamenti, 7, c.codifica);
    a.cambia("file:///r/mai_linea.txt", c.cambiamenti, 7, c.codifica);
    const documento* d = a.aperto("file:///r/A_linea.txt");
    ASSERT_NE(d, nullptr) << c.cosa;
    EXPECT_EQ(d->testo.utf8(), c.atteso) << c.cosa;
    EXPECT_EQ(d->versione, 7) << c.cosa;
    EXPECT_EQ(d->generazione, 2u) << c.cosa;
    EXPECT_EQ(a.prendi_da_controllare(), std::set<std::string>{"file:///r/A_linea.txt"}) << c.cosa;
    EXPECT_EQ(a.aperto("file:///r/mai_linea.txt"), nullptr) << c.cosa;
  }
}
