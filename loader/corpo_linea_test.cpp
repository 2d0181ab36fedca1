#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using CorpoLinea = ProvaCaricamento;

// A 10000 m route: lunghezza_griglia 17000, cells 0 to 340.

TEST_F(CorpoLinea, GradientsTakeEffectFromTheirCellUpToTheTail) {
  carica(linea("pendenza,   0,    0\r\npendenza,  1350,   -2\r\npendenza,  4000,   -1\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(0).pendenza, 100);
  EXPECT_EQ(c(26).pendenza, 100);
  EXPECT_EQ(c(27).pendenza, 98);
  EXPECT_EQ(c(79).pendenza, 98);
  EXPECT_EQ(c(80).pendenza, 99);
  EXPECT_EQ(c(337).pendenza, 99);  // n_celle - 3
  EXPECT_EQ(c(338).pendenza, 0);
  EXPECT_EQ(c(340).pendenza, 0);

  carica(linea("pendenza,  1375,   4\r\n"));
  EXPECT_EQ(c(27).pendenza, 100);
  EXPECT_EQ(c(28).pendenza, 104);  // 27.5 rounds to 28

  // A change in the same 50 m as the previous one gives one more cell the previous gradient.
  carica(linea("pendenza,  1000,   5\r\npendenza,  1010,   7\r\n"));
  EXPECT_EQ(c(19).pendenza, 100);
  EXPECT_EQ(c(20).pendenza, 105);
  EXPECT_EQ(c(21).pendenza, 107);
}

TEST_F(CorpoLinea, PositionBeyondTheGridEndsTheLineAndTheServiceIsStillRead) {
  carica(linea("pendenza,  500,   1\r\npendenza,  16950,   3\r\npendenza,  2000,   9\r\n"),
         servizio("velocita,   0,    30\r\n"));
  EXPECT_EQ(esito.codice_errore(), 15);
  EXPECT_EQ(esito.posizione_errore(), 16950);
  EXPECT_EQ(c(9).pendenza, 100);
  EXPECT_EQ(c(40).pendenza, 101);   // the row after the failure is never read
  EXPECT_EQ(c(337).pendenza, 101);  // the gradient in force reaches the tail
  EXPECT_EQ(c(337).velocita, 6);    // the service file was read
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}

TEST_F(CorpoLinea, HyphenatedFieldsAreDroppedAtMostTwiceInARow) {
  carica(linea("- nota\r\n-- altra\r\n-pendenza,  500,   3\r\n"));
  EXPECT_EQ(c(10).pendenza, 103);  // the third hyphenated field is tested
  carica(linea("- nota\r\n-pendenza,  500,   3\r\n"));
  EXPECT_EQ(c(10).pendenza, 100);  // the key was dropped, its values matched nothing
}

TEST_F(CorpoLinea, LastFieldIsNeverActedOnButTrailingValuesAreRead) {
  carica("[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\npendenza, 500, 3");
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(10).pendenza, 103);
  carica("[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\npendenza, 500, 3\r\npendenza");
  EXPECT_EQ(esito.codice_errore(), 0);
}

TEST_F(CorpoLinea, SignboardsTakeFreeCellsAndEntriesFromEightyDown) {
  carica(linea(
      "montagna,   1000,  3000,  11\r\n"
      "cartello_indicatore,  950,   (GALLERIA)(MIRELO  )(M. 2200 )\r\n"
      "cartello_indicatore,  1100,   (GALLERIA)(X)\r\n"
      "cartello_indicatore,  1500,   (A)\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(20).tipo, cella_cartello);
  EXPECT_EQ(c(20).dato1, 80);
  EXPECT_EQ(v(80).testo, "(GALLERIA)(MIRELO  )(M. 2200 )");
  EXPECT_EQ(c(23).tipo, cella_cartello);  // the fourth cell of the stretch, a tunnel mark before
  EXPECT_EQ(v(79).testo, "(GALLERIA)(X)");
  EXPECT_EQ(c(31).dato1, 78);
}

TEST_F(CorpoLinea, SignboardOnABoardStopsWithSix) {
  carica(linea("indicatori_vmax,  800,  140,  145,  155,  0,  ,  ,  ,  0\r\n"
               "cartello_indicatore,  800,   (A)\r\npendenza,  500,  3\r\n"));
  EXPECT_EQ(esito.codice_errore(), 6);
  EXPECT_EQ(esito.posizione_errore(), 800);
  EXPECT_EQ(c(17).tipo, cella_indicatore);
  EXPECT_EQ(c(10).pendenza, 0);  // stopped: no gradient tail
  EXPECT_FALSE(resta_linea());
  EXPECT_TRUE(resta_servizio());
}

TEST_F(CorpoLinea, TheEightyFirstSignboardFailsAfterMarkingItsCell) {
  std::string corpo;
  for (int i = 0; i < 81; ++i) corpo += "cartello_indicatore,  " + std::to_string(100 * i) + ",  (T" + std::to_string(i) + ")\r\n";
  carica(linea(corpo));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(v(1).testo, "(T79)");
  EXPECT_EQ(c(161).tipo, cella_cartello);  // the 81st, at 8000 m
  EXPECT_EQ(c(161).dato1, 0);
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}

TEST_F(CorpoLinea, AccessesOutsideTheStructuresFailTheLoad) {
  // A body record before any route length: there is no grid.
  carica("[generale]\r\n[curve]\r\nmontagna,  -100,  500,  1\r\n[fine]\r\n");
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_TRUE(esito.scenario.griglia.empty());
  EXPECT_FALSE(resta_servizio());

  // A mountain stretch past the grid's end: the cells inside it stay written.
  carica(linea("montagna,   16000,  30000,  1\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(c(340).montagna, 1);

  // Many gradient changes in one cell push the cursor past the grid.
  std::string corpo;
  for (int i = 0; i < 5; ++i) corpo += "pendenza,  16900,  1\r\n";
  carica(linea(corpo));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(c(340).pendenza, 101);

  // An 81st mountain stretch.
  corpo.clear();
  for (int i = 0; i < 81; ++i) corpo += "montagna,  " + std::to_string(100 * i) + ",  " + std::to_string(100 * i + 50) + ",  1\r\n";
  carica(linea(corpo));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(esito.scenario.n_montagne, 80);
}
