// The decoders of dump and plot on bytes laid out by hand and on files the compiler's
// writers made: every member read back, and each fault reported at its byte offset.
// Here, above both, because the compiler and the decoder may not use each other.
#include "decoder/decodifica.h"

#include <gtest/gtest.h>

#include "compiler/file_compilati.h"
#include "model/tracciato.h"
#include "platform/piattaforma_prova.h"

namespace {

// The message and offset of the fault that decoding `byte` reports.
template <typename F>
std::pair<size_t, std::string> guasto(F decodifica, const std::string& byte) {
  try {
    decodifica(byte);
  } catch (const errore_decodifica& e) {
    return {e.offset, e.what()};
  }
  return {0, "no fault"};
}

}  // namespace

TEST(Decodifica, GridCellsMemberByMember) {
  // Cell 1 as the layout fixes it: tipo, four 16-bit values, six bytes.
  std::string byte =
      std::string(15, '\0') + std::string("\x0C\x01\x14\x34\x0A\xFD\xFF\x06\x00\xE6\x51\x03\x24\x61\x50", 15);
  std::vector<cella> g = decodifica_griglia(byte);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].tipo, 0);
  const cella& c = g[1];
  EXPECT_EQ(c.tipo, 12);
  EXPECT_EQ(c.dato1, 5121);
  EXPECT_EQ(c.dato2, 2612);
  EXPECT_EQ(c.dato3, -3);
  EXPECT_EQ(c.dato4, 6);
  EXPECT_EQ(c.tempo, 230);
  EXPECT_EQ(c.preavviso, 81);
  EXPECT_EQ(c.montagna, 3);
  EXPECT_EQ(c.velocita, 36);
  EXPECT_EQ(c.pendenza, 97);
  EXPECT_EQ(c.aderenza, 80);

  EXPECT_EQ(guasto(decodifica_griglia, ""),
            std::make_pair(size_t{0}, std::string("empty file: a grid has at least one cell")));
  EXPECT_EQ(guasto(decodifica_griglia, byte.substr(0, 29)),
            std::make_pair(size_t{15}, std::string("cell 1 is cut short: 14 of 15 bytes")));
}

TEST(Decodifica, TableEntriesAndTheirFaults) {
  PiattaformaProva p;
  tabella_generale t;
  t[1].codice = 8;
  t[1].valore_a = -500;
  t[1].testo = "QUMA \xC8";  // a Windows-1252 capital
  t[1].intero_e = -2;
  t[1].bit_d = 255;
  t[1].valore_d = 37800;
  t[86].testo = "brezane";
  t[86].intero_c = 10;
  {
    file_nuovo f(p.percorso("t.sim"));
    scrivi_tabella(f, t);
    f.completa();
  }
  std::string byte = p.leggi("t.sim");
  tabella_decodificata d = decodifica_tabella(byte);
  EXPECT_EQ(d.voci[1].codice, 8);
  EXPECT_EQ(d.voci[1].valore_a, -500);
  EXPECT_EQ(d.voci[1].testo, "QUMA \xC8");
  EXPECT_EQ(d.voci[1].intero_e, -2);
  EXPECT_EQ(d.voci[1].bit_d, 255);
  EXPECT_EQ(d.voci[1].valore_d, 37800);
  EXPECT_EQ(d.voci[86].intero_c, 10);
  EXPECT_EQ(d.offset[1], 34u);
  EXPECT_EQ(d.offset[2], 34u + 34 + 6);
  EXPECT_EQ(d.offset[86], byte.size() - 34 - 7);

  // Entry 86 starts 41 bytes before the end; cut two bytes and its valore_d, at 30 + 7, is short.
  size_t ultima = byte.size() - 41;
  EXPECT_EQ(guasto(decodifica_tabella, byte.substr(0, byte.size() - 2)),
            std::make_pair(ultima + 37,
                           "entry 86 (from byte " + std::to_string(ultima) + "): valore_d needs 4 bytes, 2 left"));
  EXPECT_EQ(guasto(decodifica_tabella, byte + "x"),
            std::make_pair(byte.size(), std::string("extra bytes after the last entry (86): 1")));
  std::string negativa = byte;
  negativa[14] = '\xFF';
  negativa[15] = '\xFF';
  EXPECT_EQ(guasto(decodifica_tabella, negativa),
            std::make_pair(size_t{14}, std::string("entry 0 (from byte 0): negative text length -1")));
  // A text length that runs past the end.
  std::string lunga = byte;
  lunga[14] = '\x00';
  lunga[15] = '\x7F';
  EXPECT_EQ(guasto(decodifica_tabella, lunga).first, 16u);
  EXPECT_EQ(guasto(decodifica_tabella, "").second, "entry 0 (from byte 0): codice needs 1 byte, 0 left");
}

TEST(Decodifica, PlanHalvesTagsAndFaults) {
  PiattaformaProva p;
  tracciato_piano t;
  t.ultimo_metro = 5;
  t.semina();
  t.posa_fino(2, false, 0);    // (0, 2)
  t.posa_fino(3, true, -1.25);  // the step (0, 1) turned: (-1.25, 3)
  {
    file_nuovo f(p.percorso("p.dat"));
    scrivi_piano(f, t);
    f.completa();
  }
  piano_decodificato d = decodifica_piano(p.leggi("p.dat"));
  ASSERT_EQ(d.x.size(), 6u);
  ASSERT_EQ(d.y.size(), 6u);
  EXPECT_EQ(d.x[0].tipo, variante_intero);
  EXPECT_EQ(d.y[1].valore, 1);
  EXPECT_EQ(d.x[3].tipo, variante_double);
  EXPECT_EQ(d.x[3].valore, -1.25);
  EXPECT_EQ(d.x[3].offset, 4u + 4 + 10);
  EXPECT_EQ(d.y[5].tipo, variante_vuota);
  EXPECT_EQ(d.y[0].offset, 32u);  // each half: 4 + 4 + 10 + 10 + 2 + 2 bytes

  EXPECT_EQ(guasto(decodifica_piano, std::string("\x02\x00\x00\x00\x07\x00", 6)),
            std::make_pair(size_t{4}, std::string("element 1: unknown type code 7")));
  EXPECT_EQ(guasto(decodifica_piano, std::string("\x05\x00\x01\x02", 4)),
            std::make_pair(size_t{2}, std::string("element 0: a double needs 8 bytes, 2 left")));
  EXPECT_EQ(guasto(decodifica_piano, std::string("\x02\x00\x01", 3)),
            std::make_pair(size_t{2}, std::string("element 0: a 16-bit value needs 2 bytes, 1 left")));
  EXPECT_EQ(guasto(decodifica_piano, std::string(6, '\0')),
            std::make_pair(size_t{6}, std::string("3 elements, an odd number: the x and y halves cannot match")));
  EXPECT_EQ(guasto(decodifica_piano, "").second, "empty file: a plan has at least one metre");
}
