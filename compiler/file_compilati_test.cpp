#include "compiler/file_compilati.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/piattaforma_prova.h"

namespace {

uint16_t u16(const std::string& b, size_t o) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[o]) | static_cast<unsigned char>(b[o + 1]) << 8);
}

double f64(const std::string& b, size_t o) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(b[o + static_cast<size_t>(i)]);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

}  // namespace

TEST(FileCompilati, PlanHoldsTaggedXThenY) {
  PiattaformaProva p;
  tracciato_piano t;
  t.ultimo_metro = 5;
  t.semina();
  t.posa_fino(2, false, 0);   // metre 2: (0, 2)
  t.posa_fino(3, true, 0.25);  // metre 3: the step (0, 1) turned by 0.25: (0.25, 3)
  {
    file_nuovo f(p.percorso("piano.dat"));
    scrivi_piano(f, t);
    f.completa();
  }  // metres 4 and 5 were never laid
  std::string b = p.leggi("piano.dat");
  // Each half: two integers (4 bytes each), two doubles (10 each), two empty (2 each).
  ASSERT_EQ(b.size(), 2u * (4 + 4 + 10 + 10 + 2 + 2));
  EXPECT_EQ(b.substr(0, 8), std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8));
  EXPECT_EQ(u16(b, 8), 5);
  EXPECT_EQ(f64(b, 10), 0.0);
  EXPECT_EQ(f64(b, 20), 0.25);
  EXPECT_EQ(b.substr(28, 4), std::string(4, '\0'));
  EXPECT_EQ(b.substr(32, 8), std::string("\x02\x00\x00\x00\x02\x00\x01\x00", 8));
  EXPECT_EQ(f64(b, 42), 2.0);
  EXPECT_EQ(f64(b, 52), 3.0);
  // The built-in size: 20 · lunghezza_griglia - 36 bytes for lunghezza_griglia 235000.
  tracciato_piano grande;
  grande.ultimo_metro = 235000;
  grande.semina();
  grande.posa_fino(234998, false, 0);
  {
    file_nuovo f(p.percorso("grande.dat"));
    scrivi_piano(f, grande);
    f.completa();
  }
  EXPECT_EQ(p.leggi("grande.dat").size(), 4699964u);
}

TEST(FileCompilati, TableEntriesAreThirtyFourBytesAndTheirText) {
  PiattaformaProva p;
  tabella_generale t;
  voce& v = t[85];
  v.codice = 7;
  v.valore_a = -2;
  v.valore_b = 0x01020304;
  v.valore_c = 5;
  v.marca = 9;
  v.testo = "QUMA";
  v.intero_a = 610;
  v.intero_e = -1;
  v.bit_a = 1;
  v.bit_d = 4;
  v.valore_d = 33994;
  {
    file_nuovo f(p.percorso("t.sim"));
    scrivi_tabella(f, t);
    f.completa();
  }
  std::string b = p.leggi("t.sim");
  ASSERT_EQ(b.size(), 87u * 34 + 4);
  size_t o = 85 * 34;
  EXPECT_EQ(b.substr(0, 34), std::string(34, '\0'));
  std::string atteso("\x07\xFE\xFF\xFF\xFF\x04\x03\x02\x01\x05\x00\x00\x00\x09\x04\x00QUMA\x62\x02", 22);
  EXPECT_EQ(b.substr(o, 22), atteso);
  EXPECT_EQ(b.substr(o + 22, 6), std::string(6, '\0'));
  EXPECT_EQ(b.substr(o + 28, 12), std::string("\xFF\xFF\x01\x00\x00\x04\xCA\x84\x00\x00", 10) + std::string(2, '\0'));
}

TEST(FileCompilati, GridCellsAreFifteenBytes) {
  PiattaformaProva p;
  std::vector<cella> g(4701);
  g[1].tipo = 12;
  g[1].dato1 = 5121;
  g[1].dato2 = 2612;
  g[1].dato3 = -3;
  g[1].dato4 = 6;
  g[1].tempo = 230;
  g[1].preavviso = 81;
  g[1].montagna = 3;
  g[1].velocita = 36;
  g[1].pendenza = 97;
  g[1].aderenza = 80;
  {
    file_nuovo f(p.percorso("g.dat"));
    scrivi_griglia(f, g);
    f.completa();
  }
  std::string b = p.leggi("g.dat");
  ASSERT_EQ(b.size(), 70515u);
  EXPECT_EQ(b.substr(15, 15), std::string("\x0C\x01\x14\x34\x0A\xFD\xFF\x06\x00\xE6\x51\x03\x24\x61\x50", 15));
  EXPECT_EQ(b.substr(0, 15), std::string(15, '\0'));
}
