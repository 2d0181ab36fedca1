#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using CaricaServizio = ProvaCaricamento;

// A 10000 m route: cells 0 to 340; the step functions reach cell 337.

TEST_F(CaricaServizio, GeneralRecordsGoToTheHeaderEntries) {
  carica(linea(""), servizio("numero vetture,    12\r\npercentuale massa frenata,    135\r\nsabbia,    200\r\n"
                             "orologio,    10              29            30 \r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(v(84).valore_a, 135);
  EXPECT_EQ(v(84).valore_c, 12);
  EXPECT_EQ(v(86).intero_a, 200);
  EXPECT_EQ(v(86).intero_c, 10);
  EXPECT_EQ(v(86).intero_d, 29);
  EXPECT_EQ(v(86).intero_e, 30);
  EXPECT_FALSE(resta_servizio());
}

TEST_F(CaricaServizio, SpeedAndAdhesionAreStepFunctions) {
  carica(linea(""), servizio("velocita,   0,    30\r\nvelocita,     500,    60\r\nvelocita,     500,    62\r\n"
                             "aderenza,       0,    80\r\naderenza,    1000,    70\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(0).velocita, 6);
  EXPECT_EQ(c(9).velocita, 6);
  EXPECT_EQ(c(10).velocita, 12);  // the second record at 500 writes one cell with 60
  EXPECT_EQ(c(11).velocita, 12);  // 62 km/h is kept as 12
  EXPECT_EQ(c(337).velocita, 12);
  EXPECT_EQ(c(338).velocita, 0);
  EXPECT_EQ(c(19).aderenza, 80);
  EXPECT_EQ(c(20).aderenza, 70);
  EXPECT_EQ(c(337).aderenza, 70);
  EXPECT_EQ(c(338).aderenza, 0);
}

TEST_F(CaricaServizio, SpeedThatDoesNotFitAByteFails) {
  carica(linea(""), servizio("velocita,   0,    1277\r\nvelocita,   100,    1280\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(c(0).velocita, 255);
  EXPECT_FALSE(resta_servizio());
}

// Each speed record writes at least one cell, so records at one place push the cursor
// on; it stops before the grid's last cell (340 here), which only the end step writes.
// The adhesion has no such stop.
TEST_F(CaricaServizio, SpeedCursorStopsBeforeTheLastCell) {
  std::string righe;
  for (int v : {30, 40, 50, 60, 70}) righe += "velocita,  16900,  " + std::to_string(v) + "\r\n";
  carica(linea(""), servizio(righe));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(337).velocita, 0);
  EXPECT_EQ(c(338).velocita, 6);
  EXPECT_EQ(c(339).velocita, 8);
  EXPECT_EQ(c(340).velocita, 14);
  carica(linea(""), servizio("aderenza,  16900,  30\r\naderenza,  16900,  30\r\naderenza,  16900,  30\r\n"
                             "aderenza,  16900,  30\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
}

TEST_F(CaricaServizio, EmptyMissingAndUnmarkedServiceFiles) {
  carica(linea(""), "[generale]");
  EXPECT_EQ(esito.codice_errore(), 0);
  carica(linea(""), "velocita,   0,    30\r\n[fine]\r\n");
  EXPECT_EQ(esito.codice_errore(), 0);  // no "[generale]": nothing is read
  EXPECT_EQ(c(0).velocita, 0);
  EXPECT_FALSE(resta_servizio());
  carica(linea(""), "");
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_FALSE(resta_linea());

  carica_entrambi(linea(""), "");  // an empty file loads no record and is no error
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_FALSE(resta_servizio());
}

TEST_F(CaricaServizio, RecordBeyondTheGridStillCompletesTheSteps) {
  carica(linea(""), servizio("velocita,   0,    30\r\nvelocita,   16950,    60\r\nvelocita,   100,    90\r\n"));
  EXPECT_EQ(esito.codice_errore(), 15);
  EXPECT_EQ(esito.posizione_errore(), 16950);
  EXPECT_EQ(c(2).velocita, 6);  // the record after the failure was not read
  EXPECT_EQ(c(337).velocita, 6);
  EXPECT_FALSE(resta_servizio());
}

TEST_F(CaricaServizio, KilometreCheckCanReplaceFifteen) {
  carica("[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica uno,  10,  0,  0\r\n[curve]\r\n[fine]\r\n",
         servizio("velocita,   16950,    60\r\n"));
  EXPECT_EQ(esito.codice_errore(), 2);
}

TEST_F(CaricaServizio, AfterALineHalfFifteenRecordsLoadUntilTheFirstSignalOrSlowdown) {
  carica(linea("pendenza,  16950,  1\r\n"),
         servizio("velocita,   0,    30\r\n"
                  "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,  10,30, 0, PRIMA\r\n"
                  "abbattimento,   3000,   270\r\n"
                  "rallentamento,   5000,    40,  300, 0,  1,  0\r\n"
                  "velocita,   1000,    60\r\n"));
  EXPECT_EQ(esito.codice_errore(), 15);
  EXPECT_EQ(esito.posizione_errore(), 5000);
  EXPECT_EQ(v(1).testo, "PRIMA");
  EXPECT_EQ(c(60).tipo, punto_codice);
  EXPECT_EQ(c(101).tipo, cella_inizio_rallentamento);  // the slowdown was laid, then the load stopped
  EXPECT_EQ(c(0).velocita, 0);                         // no later record, no end steps
  EXPECT_FALSE(resta_servizio());
}

TEST_F(CaricaServizio, CodeReductions) {
  carica(linea("montagna,  1000,  3000,  11\r\n"),
         servizio("abbattimento,   1150,   270\r\nabbattimento,   2000,   0\r\nabbattimento,   2500,   -3\r\n"
                  "abbattimento,   1125,   70000\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(c(23).tipo, punto_codice);  // the cell that holds 1150, a tunnel mark before
  EXPECT_EQ(c(23).dato1, 270);
  EXPECT_EQ(c(40).tipo, cella_abbattimento);
  EXPECT_EQ(c(40).dato1, 0);
  EXPECT_EQ(c(50).tipo, cella_abbattimento);
  EXPECT_EQ(c(22).dato1, static_cast<int16_t>(70000 - 65536));  // 22.5 rounds to 22; low 16 bits

  carica(linea(""), servizio("segnale,    2100,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\nabbattimento,   2150,   270\r\n"));
  EXPECT_EQ(esito.codice_errore(), 7);
  EXPECT_EQ(esito.posizione_errore(), 2150);
  EXPECT_FALSE(resta_servizio());
}
