#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using MemoSegnale = ProvaCaricamento;

TEST_F(MemoSegnale, SignalPacksItsValuesAndMarksTheApproach) {
  carica(linea("montagna,  3000,  3500,  11\r\n"),
         servizio("segnale,    2100,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n"
                  "segnale,    5000,   2, 4, 0,  0, 0,    0,  0,0,0, 100\r\n"
                  "segnale,    6000,   1, 4, 1,  1, 2,    1,  5,6,7, 230\r\n"
                  "segnale,    3100,   2, 4, 0,  0, 0,    0,  0,0,0, 101\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(43).tipo, cella_segnale);
  EXPECT_EQ(c(43).dato1, 30);
  EXPECT_EQ(c(43).dato2, 10);
  EXPECT_EQ(c(43).dato3, 10);
  EXPECT_EQ(c(43).dato4, 6);
  EXPECT_EQ(c(43).tempo, 0);
  EXPECT_EQ(c(41).preavviso, 61);
  EXPECT_EQ(c(39).preavviso, 62);
  EXPECT_EQ(c(37).preavviso, 63);
  EXPECT_EQ(c(35).preavviso, 64);
  EXPECT_EQ(c(42).preavviso, 0);
  EXPECT_EQ(c(101).tempo, 101);  // 1 to 100 are raised to 101
  // A left kind of 1: no time; the right-hand values add to the left-hand ones.
  EXPECT_EQ(c(121).tempo, 0);
  EXPECT_EQ(c(121).dato1, 45);
  EXPECT_EQ(c(121).dato2, 16);
  EXPECT_EQ(c(121).dato3, 17);
  EXPECT_EQ(c(121).dato4, 2 * 10 + 1 * 3 + 1);  // rapp 2, sx 1, dx 1
  EXPECT_EQ(c(119).preavviso, 41);
  EXPECT_EQ(c(63).tipo, cella_segnale);  // on a tunnel mark, which it replaces
  EXPECT_EQ(c(63).tempo, 101);
}

TEST_F(MemoSegnale, SignalRefusals) {
  carica(linea(""), servizio("segnale,    2100,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n"
                             "segnale,    2100,   1, 3, 1,  1, 0,    0,  0,0,0, 0\r\nvelocita,  0,  30\r\n"));
  EXPECT_EQ(esito.codice_errore(), 16);
  EXPECT_EQ(esito.posizione_errore(), 2100);
  EXPECT_EQ(c(41).preavviso, 61);  // nothing of the refused signal was written
  EXPECT_FALSE(resta_servizio());

  // Approach marks before cell 0 fail the load after the signal's cell is written.
  carica(linea(""), servizio("segnale,    200,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(c(5).tipo, cella_segnale);
  EXPECT_EQ(c(3).preavviso, 61);
  EXPECT_EQ(c(1).preavviso, 62);
}

TEST_F(MemoSegnale, SlowdownLaysWarningStartEndAndApproachCells) {
  carica(linea("", 228000), servizio("rallentamento,   19450,    40,  300, 0,  1,  0\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  struct atteso {
    int cella, tipo, dato1;
  };
  for (atteso a : {atteso{362, 5, 4}, atteso{363, 5, 3}, atteso{364, 5, 2}, atteso{365, 5, 1}, atteso{366, 4, 40},
                   atteso{390, 3, 40}, atteso{396, 2, 40}}) {
    EXPECT_EQ(c(a.cella).tipo, a.tipo) << a.cella;
    EXPECT_EQ(c(a.cella).dato1, a.dato1) << a.cella;
    EXPECT_EQ(c(a.cella).dato2, 0) << a.cella;
  }
  EXPECT_EQ(c(361).tipo, 0);
  EXPECT_EQ(c(367).tipo, 0);
}

TEST_F(MemoSegnale, SlowdownNearTheStartAndWithAValue) {
  carica(linea(""), servizio("rallentamento,   1500,    40,  300, 0,  1,  0\r\n"
                             "rallentamento,   3550,    40,  300, 7,  1,  9\r\n"
                             "rallentamento,   6000,    30,  0, 0,  0,  0\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  for (int k = 0; k < 31; ++k) EXPECT_EQ(c(k).tipo, 0) << k;  // no warning and no approach cells at 1500 m
  EXPECT_EQ(c(31).tipo, cella_inizio_rallentamento);
  EXPECT_EQ(c(37).tipo, cella_fine_rallentamento);
  // At 3550 (x - 1200 = 2350): warning cell 48, approach cells 47 to 44, every one with d_v.
  EXPECT_EQ(c(48).tipo, cella_avviso_rallentamento);
  EXPECT_EQ(c(48).dato2, 9);
  EXPECT_EQ(c(72).dato2, 9);
  EXPECT_EQ(c(72).dato3, 7);
  EXPECT_EQ(c(78).dato3, 7);
  EXPECT_EQ(c(47).dato1, 1);
  EXPECT_EQ(c(47).dato2, 1);
  EXPECT_EQ(c(44).dato1, 4);
  EXPECT_EQ(c(44).dato2, 4);
  EXPECT_EQ(c(43).tipo, 0);
  EXPECT_EQ(c(121).tipo, cella_inizio_rallentamento);  // length 0: start and end on one cell
  EXPECT_EQ(c(121).dato1, 30);
}

TEST_F(MemoSegnale, SlowdownRefusals) {
  const std::string segnale = "segnale,    2100,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n";  // cell 43
  struct caso {
    const char* riga;
    int32_t codice;
  };
  for (caso k : {caso{"rallentamento,   3300,    40,  300, 0,  1,  0\r\n", 17},
                 caso{"rallentamento,   2100,    40,  300, 0,  1,  0\r\n", 18},
                 caso{"rallentamento,   1800,    40,  300, 0,  1,  0\r\n", 19}}) {
    carica(linea(""), servizio(segnale + k.riga));
    EXPECT_EQ(esito.codice_errore(), k.codice) << k.riga;
  }
  // Approach cells on the signal's cell: start, end and warning are already laid.
  carica(linea(""), servizio(segnale + "rallentamento,   3400,    40,  300, 0,  1,  0\r\n"));
  EXPECT_EQ(esito.codice_errore(), 20);
  EXPECT_EQ(esito.posizione_errore(), 3400);
  EXPECT_EQ(c(45).tipo, cella_avviso_rallentamento);
  EXPECT_EQ(c(69).tipo, cella_inizio_rallentamento);
  EXPECT_EQ(c(75).tipo, cella_fine_rallentamento);
  EXPECT_EQ(c(44).tipo, 0);

  // An end cell past the grid's last cell fails the load before anything is written.
  carica(linea(""), servizio("rallentamento,   16000,    40,  5000, 0,  1,  0\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(c(321).tipo, 0);
}
