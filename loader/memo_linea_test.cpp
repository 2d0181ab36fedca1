#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using MemoLinea = ProvaCaricamento;

TEST_F(MemoLinea, MountainStretchesLayKindsAndTunnelMarks) {
  carica(linea(
      "montagna,   9500,  9550,  2\r\n"
      "montagna,   78000,  78800,  2\r\n"
      "montagna,   78900,  80300,  2\r\n"
      "indicatori_vmax,  89200,  80,  90,  95,  0,  ,  ,  ,  0\r\n"
      "montagna,   89100,  96500,  11\r\n"
      "indicatori_vmax,  89400,  80,  90,  95,  0,  ,  ,  ,  0\r\n"
      "montagna,   1000,  1000,  1\r\n",
      228000));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(189).montagna, 0);
  EXPECT_EQ(c(190).montagna, 2);
  EXPECT_EQ(c(191).montagna, 0);
  EXPECT_EQ(c(1575).montagna, 2);  // 78000 to 78800: cells 1560 to 1575
  EXPECT_EQ(c(1576).montagna, 0);
  EXPECT_EQ(c(1578).montagna, 3);  // begins 100 m after the previous one ends: kind 3
  EXPECT_EQ(c(1605).montagna, 3);
  EXPECT_EQ(c(1606).montagna, 0);
  EXPECT_EQ(c(1781).montagna, 0);
  EXPECT_EQ(c(1782).montagna, 1);
  EXPECT_EQ(c(1929).montagna, 1);
  EXPECT_EQ(c(1930).montagna, 0);
  int marche = 0;
  for (int k = 1782; k <= 1929; ++k) marche += c(k).tipo == cella_galleria;
  EXPECT_EQ(marche, 35);                       // 37 fourth cells, one held a board first, one was taken after
  EXPECT_EQ(c(1785).tipo, cella_indicatore);  // an object already there keeps its cell
  EXPECT_EQ(c(1789).tipo, cella_indicatore);  // a board replaces a tunnel mark
  EXPECT_EQ(c(1793).tipo, cella_galleria);
  EXPECT_EQ(c(1929).tipo, cella_galleria);
  EXPECT_EQ(c(20).montagna, 0);  // a stretch with inizio = fine writes nothing
  EXPECT_EQ(esito.scenario.montagne_inizio[4], 89100);
  EXPECT_EQ(esito.scenario.montagne_fine[5], 1000);
  EXPECT_EQ(esito.scenario.n_montagne, 5);
}

TEST_F(MemoLinea, SpeedIndicatorBoardsPackTheirSpeeds) {
  carica(linea(
      "indicatori_vmax,  800,  140,  145,  155,  0,  ,  ,  ,  0\r\n"
      "indicatori_vmax,  208800,  80,  90,  95,  2,  ,  ,  ,  0\r\n"
      "indicatori_vmax,  1000,  140,  0,  0,  70000,  95,  0,  -5,  3\r\n",
      228000));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(17).tipo, cella_indicatore);
  EXPECT_EQ(c(17).dato1, 2800);
  EXPECT_EQ(c(17).dato2, 2900);
  EXPECT_EQ(c(17).dato3, 3100);
  EXPECT_EQ(c(17).dato4, 0);
  EXPECT_EQ(c(4177).dato1, 1600);
  EXPECT_EQ(c(4177).dato2, 1800);
  EXPECT_EQ(c(4177).dato3, 1900);
  EXPECT_EQ(c(4177).dato4, 20);
  EXPECT_EQ(c(21).dato1, 2819);  // 140 on the left, 95 on the right
  EXPECT_EQ(c(21).dato3, -1);
  EXPECT_EQ(c(21).dato4, static_cast<int16_t>((70000 % 65536) * 10 + 3));  // stripes in 16-bit arithmetic
}

TEST_F(MemoLinea, BoardOnATakenCellOrOutOfRangeSpeed) {
  carica(linea("cartello_indicatore,  800,  (A)\r\nindicatori_vmax,  800,  140,  145,  155,  0,  ,  ,  ,  0\r\n"));
  EXPECT_EQ(esito.codice_errore(), 21);
  EXPECT_EQ(esito.posizione_errore(), 800);
  EXPECT_EQ(c(17).tipo, cella_cartello);
  EXPECT_FALSE(resta_linea());
  EXPECT_TRUE(resta_servizio());

  // A speed whose packed value does not fit 16 bits fails the load; what came before it stays.
  carica(linea("indicatori_vmax,  800,  100,  2000,  155,  0,  ,  ,  ,  0\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(c(17).tipo, cella_indicatore);
  EXPECT_EQ(c(17).dato1, 2000);
  EXPECT_EQ(c(17).dato2, 0);
  EXPECT_FALSE(resta_servizio());
}

// Loads a line file whose kilometre posts "tre", "due", "uno" are the given triples.
class Progressive : public ProvaCaricamento {
 protected:
  void ordina(std::array<std::array<int, 3>, 3> r) {
    const char* nomi[] = {"tre", "due", "uno"};
    std::string generale = "[generale]\r\nlunghezza percorso,  10000\r\n";
    for (int i = 0; i < 3; ++i) {
      generale += std::string("progressiva chilometrica ") + nomi[i] + ",  " + std::to_string(r[i][0]) + ",  " +
                  std::to_string(r[i][1]) + ",  " + std::to_string(r[i][2]) + "\r\n";
    }
    carica(generale + "[curve]\r\n[fine]\r\n");
  }
  std::array<int, 3> r(int i) const { return {v(i).valore_a, v(i).valore_b, v(i).valore_c}; }
};

TEST_F(Progressive, OrderedByPositionWhenThePositionsDoNotSumToZero) {
  ordina({{{0, 100, 0}, {5000, 200, 0}, {3000, 300, 0}}});
  EXPECT_EQ(r(81), (std::array<int, 3>{5000, 200, 0}));
  EXPECT_EQ(r(82), (std::array<int, 3>{3000, 300, 0}));
  EXPECT_EQ(r(83), (std::array<int, 3>{0, 100, 0}));

  ordina({{{5000, 100, 0}, {1000, 200, 0}, {1000, 300, 0}}});  // equal keys: the higher entry first
  EXPECT_EQ(r(81), (std::array<int, 3>{5000, 100, 0}));
  EXPECT_EQ(r(82), (std::array<int, 3>{1000, 300, 0}));
  EXPECT_EQ(r(83), (std::array<int, 3>{1000, 200, 0}));

  ordina({{{5000, 100, 1}, {5000, 200, 0}, {1000, 300, 0}}});  // no strictly greatest key
  for (int i = 81; i <= 83; ++i) EXPECT_EQ(r(i), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(Progressive, OrderedBySecondValueWhenThePositionsSumToZero) {
  ordina({{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}});
  for (int i = 81; i <= 83; ++i) EXPECT_EQ(r(i), (std::array<int, 3>{0, 0, 0}));

  ordina({{{0, 3, 0}, {0, 7, 0}, {0, 0, 0}}});  // the last test that holds decides
  EXPECT_EQ(r(81), (std::array<int, 3>{0, 7, 0}));
  EXPECT_EQ(r(82), (std::array<int, 3>{0, 3, 0}));

  ordina({{{0, 3, 0}, {500, 7, 1}, {-500, 9, 0}}});  // R81 and R83 change places, R82 stays
  EXPECT_EQ(r(81), (std::array<int, 3>{-500, 9, 0}));
  EXPECT_EQ(r(82), (std::array<int, 3>{500, 107, 1}));
  EXPECT_EQ(r(83), (std::array<int, 3>{0, 3, 0}));
}

TEST_F(Progressive, FlagAddsOneHundredAndTheServiceChecksMultiplesOfFifty) {
  ordina({{{1000, 20000, 1}, {0, 0, 0}, {0, 0, 0}}});
  EXPECT_EQ(r(81), (std::array<int, 3>{1000, 20100, 1}));
  EXPECT_EQ(esito.codice_errore(), 0);

  ordina({{{1000, 20010, 0}, {0, 0, 0}, {0, 0, 0}}});
  EXPECT_EQ(esito.codice_errore(), 2);
  ordina({{{1025, 0, 0}, {0, 0, 0}, {0, 0, 0}}});
  EXPECT_EQ(esito.codice_errore(), 2);
}
