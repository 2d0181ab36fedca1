#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

namespace {

// A station row with kind k, length l, fields 5 and 6, a time and a name.
std::string stazione(int p, int k, int l, int f5 = 0, int f6 = 0, const std::string& ora = "0, 0, 0",
                     const std::string& nome = "S") {
  return "stazione,  " + std::to_string(p) + ",  " + std::to_string(k) + ",  " + std::to_string(l) + ",  1, " +
         std::to_string(f5) + ", " + std::to_string(f6) + ",  1,1,7,  4,1,1,    3,  " + ora + ", " + nome + "\r\n";
}

}  // namespace

using Stazione = ProvaCaricamento;

TEST_F(Stazione, AreasStopCellsAndApproachMarksByKind) {
  carica(linea("", 228000), servizio(stazione(0, 8, 500, 0, 0, "10,30, 0", "PRIMA") + stazione(11050, 27, 300) +
                                     stazione(128700, 2, 600, 1, 0, "0, 0, 0", "S. MARIA - NORD") +
                                     stazione(214050, 6, 600, 0, 0, "12,17, 0", "ULTIMA")));
  ASSERT_EQ(esito.codice_errore(), 0);
  struct attesa {
    int voce, inizio, fine, fermata;
  };
  for (attesa a : {attesa{1, -500, 500, 9}, attesa{2, 10900, 11200, -1}, attesa{3, 128400, 129000, 2579},
                   attesa{4, 213450, 214200, 4283}}) {
    EXPECT_EQ(v(a.voce).valore_a, a.inizio) << a.voce;
    EXPECT_EQ(v(a.voce).valore_b, a.fine) << a.voce;
    if (a.fermata > 0) {
      EXPECT_EQ(c(a.fermata).tipo, cella_fermata) << a.voce;
      EXPECT_EQ(c(a.fermata).dato1, a.voce);
    }
  }
  for (int j = 1; j <= 4; ++j) {
    EXPECT_EQ(c(9 - j).preavviso, 80 + j);
    EXPECT_EQ(c(2579 - j).preavviso, 80 + j);
    EXPECT_EQ(c(4283 - j).preavviso, 0);  // a terminus has no approach marks
  }
  for (int k = 215; k <= 225; ++k) EXPECT_EQ(c(k).tipo, 0) << k;  // kind 27: no stop cell
  EXPECT_EQ(c(224).preavviso, 0);
  EXPECT_EQ(v(1).valore_c, 0);
  EXPECT_EQ(v(1).codice, 8);
  EXPECT_EQ(v(1).valore_d, 37800);
  EXPECT_EQ(v(4).valore_d, 44220);
  EXPECT_EQ(v(3).testo, "S. MARIA - NORD");
  EXPECT_EQ(v(3).bit_d, 1);  // 600 m keeps field 5
  EXPECT_EQ(v(3).marca, 1);
  EXPECT_EQ(v(3).intero_a, 1);
  EXPECT_EQ(v(3).bit_a, 7);
  EXPECT_EQ(v(3).intero_c, 4);
  EXPECT_EQ(v(3).bit_b, 3);
}

TEST_F(Stazione, FieldsFiveAndSixAreCleared) {
  carica(linea("", 228000), servizio(stazione(1000, 2, 600, 1, 1) + stazione(3000, 2, 500, 1, 1) +
                                     stazione(6000, 5, 600, 1, 1) + stazione(9000, 4, 600, 1, 1)));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(v(1).valore_b, 1350);  // the first station's field 6 still moves its end
  EXPECT_EQ(v(1).bit_c, 0);
  EXPECT_EQ(v(1).bit_d, 0);
  EXPECT_EQ(c(26).tipo, cella_fermata);
  EXPECT_EQ(v(2).bit_d, 0);  // shorter than 600 m
  EXPECT_EQ(v(2).bit_c, 1);
  EXPECT_EQ(v(2).valore_b, 3300);
  EXPECT_EQ(v(3).bit_c, 0);  // terminus
  EXPECT_EQ(v(3).valore_b, 6150);
  EXPECT_EQ(v(4).bit_c, 1);
  EXPECT_EQ(v(4).bit_d, 1);
}

TEST_F(Stazione, SpacingOfThreeHundredAndFiftyMetres) {
  carica(linea("", 228000), servizio(stazione(1000, 2, 600) + stazione(1950, 2, 600)));
  EXPECT_EQ(esito.codice_errore(), 0);  // 1300 to 1650: exactly 350 m
  carica(linea("", 228000), servizio(stazione(1000, 2, 600) + stazione(1900, 2, 600) + stazione(9000, 2, 600)));
  EXPECT_EQ(esito.codice_errore(), 22);
  EXPECT_EQ(esito.posizione_errore(), 1900);
  EXPECT_EQ(c(43).tipo, cella_fermata);  // stored, stop cell included, before the refusal
  EXPECT_EQ(v(3).testo, "");
  EXPECT_FALSE(resta_servizio());
}

TEST_F(Stazione, ChecksMadeBeforeTheRestOfTheLineIsRead) {
  carica(linea(""), servizio("stazione,  1000,  2,  550,  nonsense\r\n"));
  EXPECT_EQ(esito.codice_errore(), 9);
  EXPECT_EQ(esito.posizione_errore(), 1000);
  carica(linea(""), servizio("stazione,  1010,  nonsense\r\n"));
  EXPECT_EQ(esito.codice_errore(), 8);
  EXPECT_EQ(esito.posizione_errore(), 1010);
  EXPECT_EQ(v(1).valore_c, 1010);
  carica(linea(""), servizio("stazione,  16250,  nonsense\r\nvelocita,  0,  30\r\n"));
  EXPECT_EQ(esito.codice_errore(), 15);  // 16250 + 800 m lies beyond the grid
  EXPECT_EQ(c(0).velocita, 0);
}

TEST_F(Stazione, AreaEndingTooEarlyOrPastTheGrid) {
  carica(linea(""), servizio(stazione(0, 2, 200)));
  EXPECT_EQ(esito.codice_errore(), 24);
  EXPECT_EQ(esito.posizione_errore(), 0);
  EXPECT_EQ(v(1).valore_b, 100);
  carica(linea(""), servizio(stazione(16200, 2, 2000)));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_FALSE(resta_servizio());
}

TEST_F(Stazione, StationsMustNotReachTheSignboards) {
  std::string cartelli;
  for (int i = 0; i < 8; ++i) cartelli += "cartello_indicatore,  " + std::to_string(200000 + 1000 * i) + ",  (X)\r\n";
  std::string stazioni;
  for (int i = 0; i < 71; ++i) stazioni += stazione(1000 + 500 * i, 27, 100);
  carica(linea(cartelli, 228000), servizio(stazioni));
  EXPECT_EQ(esito.codice_errore(), 10);
  EXPECT_EQ(v(71).valore_c, 36000);  // the 71st is stored all the same
  EXPECT_EQ(v(73).testo, "(X)");  // the last signboard; 72 is the next free entry

  stazioni.clear();
  for (int i = 0; i < 70; ++i) stazioni += stazione(1000 + 500 * i, 27, 100);
  carica(linea(cartelli, 228000), servizio(stazioni));
  EXPECT_EQ(esito.codice_errore(), 0);
}
