#include <gtest/gtest.h>

#include "compiler/compila.h"

// The passes run on a grid built by hand: cells 0 to 200.
class PassiCodici : public ::testing::Test {
 protected:
  PassiCodici() {
    esito.scenario.n_celle = 200;
    esito.scenario.griglia.assign(201, cella{});
  }
  cella& c(int k) { return esito.scenario.griglia.at(static_cast<size_t>(k)); }
  void metti(int k, uint8_t tipo, int16_t dato1 = 0) {
    c(k).tipo = tipo;
    c(k).dato1 = dato1;
  }
  bool codice_in(int k, int16_t codice = 180) { return c(k).tipo == punto_codice && c(k).dato1 == codice; }
  std::vector<int> punti() {
    std::vector<int> k;
    for (int i = 0; i <= esito.scenario.n_celle; ++i) {
      if (c(i).tipo == punto_codice) k.push_back(i);
    }
    return k;
  }

  void passi() { passi_codici(esito, "L_T-.txt"); }

  esito_caricamento esito;
};

TEST_F(PassiCodici, PassAPutsCodePointsBeforeSignalsBehindAWarningBoard) {
  metti(60, cella_avviso_rallentamento);
  metti(55, cella_segnale);
  metti(45, cella_segnale);
  metti(39, cella_segnale);  // 21 cells behind: not treated
  metti(38, cella_galleria);
  passi();
  EXPECT_EQ(punti(), (std::vector<int>{44, 54}));  // the cell just before, though the one before it is free too
  EXPECT_EQ(esito.codice_errore(), 0);
}

TEST_F(PassiCodici, PassAWindowIsExactlyTwentyCells) {
  metti(60, cella_avviso_rallentamento);
  metti(40, cella_segnale);  // 20 cells behind
  metti(150, cella_avviso_rallentamento);
  metti(129, cella_segnale);  // 21 cells behind
  passi();
  EXPECT_EQ(punti(), std::vector<int>{39});
}

TEST_F(PassiCodici, PassAWithTakenCells) {
  metti(100, cella_avviso_rallentamento);
  metti(95, cella_segnale);  // cell before a code point with 270, the next taken: lowered to 180
  metti(94, punto_codice, 270);
  metti(93, cella_abbattimento);
  metti(90, cella_segnale);  // a code point with 75 is kept
  metti(89, punto_codice, 75);
  metti(88, cella_indicatore);
  metti(86, cella_segnale);  // a code point before, a free cell two before: a second point there
  metti(85, punto_codice, 270);
  metti(82, cella_segnale);  // both taken, neither a code point
  metti(81, cella_indicatore);
  metti(80, cella_cartello);
  passi();
  EXPECT_TRUE(codice_in(94, 180));
  EXPECT_TRUE(codice_in(89, 75));
  EXPECT_TRUE(codice_in(85, 270));
  EXPECT_TRUE(codice_in(84));
  EXPECT_EQ(esito.codice_errore(), 11);
  EXPECT_EQ(esito.posizione_errore(), 82 * 50);
}

TEST_F(PassiCodici, PassANeverLooksAtCellsOneAndTwo) {
  metti(10, cella_avviso_rallentamento);
  metti(2, cella_segnale);
  metti(3, cella_segnale);
  passi();
  EXPECT_EQ(punti(), std::vector<int>{1});  // the signal in cell 3: cell 2 is taken, so cell 1
}

TEST_F(PassiCodici, PassBGroupsDependOnTheStartCell) {
  struct caso {
    int inizio;
    std::vector<int> punti;
  };
  for (const caso& k : {caso{7, {}}, caso{8, {3}}, caso{13, {8}}, caso{14, {3, 9}}, caso{20, {9, 15}},
                        caso{21, {3, 10, 16}}}) {
    esito.scenario.griglia.assign(201, cella{});
    metti(k.inizio, cella_inizio_rallentamento, 120);  // fast: no points inside
    passi();
    EXPECT_EQ(punti(), k.punti) << k.inizio;
  }
}

TEST_F(PassiCodici, PassBTakesTheFirstFreeCandidateOfEachGroup) {
  metti(100, cella_inizio_rallentamento, 120);
  metti(95, cella_segnale);
  metti(94, cella_galleria);  // replaced
  metti(89, punto_codice, 270);  // an existing code point counts as taken
  metti(88, cella_indicatore);
  for (int k : {82, 81, 80}) metti(k, cella_cartello);
  passi();
  EXPECT_TRUE(codice_in(94));
  EXPECT_TRUE(codice_in(87));
  EXPECT_TRUE(codice_in(89, 270));
  EXPECT_EQ(esito.codice_errore(), 12);
  EXPECT_EQ(esito.posizione_errore(), 5000);
}

TEST_F(PassiCodici, PassCEveryEightCellsFromThePointActuallyPlaced) {
  struct caso {
    int fine;
    std::vector<int> occupate;
    std::vector<int> dentro;
  };
  for (const caso& k : {caso{106, {}, {}}, caso{120, {}, {108, 116}}, caso{120, {108}, {107, 115}},
                        caso{120, {108, 107}, {109, 117}}}) {
    esito.scenario.griglia.assign(201, cella{});
    metti(100, cella_inizio_rallentamento, 40);
    metti(k.fine, cella_fine_rallentamento, 40);
    for (int o : k.occupate) metti(o, cella_abbattimento);
    passi();
    std::vector<int> dentro;
    for (int i : punti()) {
      if (i > 100) dentro.push_back(i);
    }
    EXPECT_EQ(dentro, k.dentro) << k.fine;
    EXPECT_EQ(esito.codice_errore(), 0);
  }
}

TEST_F(PassiCodici, PassCFailureAndFastSlowdowns) {
  metti(100, cella_inizio_rallentamento, 40);
  metti(130, cella_fine_rallentamento, 40);
  for (int o : {107, 108, 109}) metti(o, cella_abbattimento);
  metti(116, cella_galleria);
  passi();
  EXPECT_EQ(esito.codice_errore(), 13);
  EXPECT_EQ(esito.posizione_errore(), 108 * 50);
  EXPECT_EQ(c(116).tipo, cella_galleria);  // no further point inside this slowdown

  esito.scenario.griglia.assign(201, cella{});
  esito.diagnostiche.clear();
  metti(100, cella_inizio_rallentamento, 110);
  metti(120, cella_fine_rallentamento, 110);
  passi();
  EXPECT_FALSE(codice_in(108));
  EXPECT_FALSE(codice_in(116));
}

TEST_F(PassiCodici, PassDFirstSignalWithinTwelveCellsAfterTheEnd) {
  metti(100, cella_inizio_rallentamento, 40);
  metti(106, cella_fine_rallentamento, 40);
  metti(118, cella_segnale);  // e + 12
  passi();
  EXPECT_TRUE(codice_in(117));

  esito.scenario.griglia.assign(201, cella{});
  metti(100, cella_inizio_rallentamento, 40);
  metti(106, cella_fine_rallentamento, 40);
  metti(119, cella_segnale);  // e + 13: too far
  passi();
  EXPECT_FALSE(codice_in(118));
  EXPECT_EQ(esito.codice_errore(), 0);

  esito.scenario.griglia.assign(201, cella{});
  metti(100, cella_inizio_rallentamento, 150);  // a fast slowdown gets pass D too
  metti(106, cella_fine_rallentamento, 150);
  metti(110, cella_segnale);
  metti(109, cella_indicatore);
  passi();
  EXPECT_TRUE(codice_in(108));

  esito.scenario.griglia.assign(201, cella{});
  metti(100, cella_inizio_rallentamento, 40);
  metti(106, cella_fine_rallentamento, 40);
  metti(110, cella_segnale);
  metti(109, cella_indicatore);
  metti(108, cella_cartello);
  passi();
  EXPECT_EQ(esito.codice_errore(), 13);
  EXPECT_EQ(esito.posizione_errore(), 106 * 50);
}

TEST_F(PassiCodici, WalksStopAtTheGridsLastCell) {
  // No end cell before the grid's end: points every 8 cells up to cell 200, then nothing.
  metti(180, cella_inizio_rallentamento, 40);
  metti(199, cella_segnale);
  passi();
  EXPECT_TRUE(codice_in(188));
  EXPECT_TRUE(codice_in(196));
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(esito.scenario.griglia.size(), 201u);

  // A due cell at the grid's end whose neighbours are taken: the one after it does not exist.
  esito.scenario.griglia.assign(201, cella{});
  metti(192, cella_inizio_rallentamento, 40);
  metti(200, cella_indicatore);
  metti(199, cella_indicatore);
  passi();
  EXPECT_EQ(esito.codice_errore(), 13);
  EXPECT_EQ(esito.posizione_errore(), 200 * 50);
}
