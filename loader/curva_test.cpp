#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using Curva = ProvaCaricamento;

TEST_F(Curva, StraightRunThenRightHandCurve) {
  carica(linea("curvad3,  1000,  500\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  const tracciato_piano& piano = esito.scenario.tracciato;
  std::vector<punto_tracciato> p = punti(piano);
  ASSERT_EQ(p.size(), 16999u);
  EXPECT_EQ(p[1].y, 1.0);
  // Straight along +y up to the curve's start.
  EXPECT_EQ(p[2].x, 0.0);
  EXPECT_EQ(p[2].y, 2.0);
  EXPECT_EQ(p[1000].x, 0.0);
  EXPECT_EQ(p[1000].y, 1000.0);
  // The step (0, 1) turns towards +x by 0.0004 a metre: (0.0004, 1), then
  // (0.0004 + 0.0004, 1 - 0.0004 * 0.0004).
  EXPECT_DOUBLE_EQ(p[1001].x, 0.0004);
  EXPECT_DOUBLE_EQ(p[1001].y, 1001.0);
  EXPECT_DOUBLE_EQ(p[1002].x, 0.0012);
  EXPECT_DOUBLE_EQ(p[1002].y, 1001.99999984);
  EXPECT_NEAR(p[1003].x, 0.002399999936, 1e-15);
  // After the curve the last step repeats: the route goes on straight.
  double dx = p[1500].x - p[1499].x;
  EXPECT_GT(dx, 0.19);  // about 500 * 0.0004 radians
  EXPECT_LT(dx, 0.21);
  EXPECT_DOUBLE_EQ(p[1502].x - p[1501].x, p[1501].x - p[1500].x);
  // Metres up to lunghezza_griglia - 2 are laid; the last two stay empty.
  EXPECT_EQ(piano.metri_posati, 16999);
  EXPECT_EQ(piano.ultimo_metro, 17000);
}

TEST_F(Curva, LeftHandAndOverlappingCurves) {
  carica(linea("curvaS3,  1000,  500\r\ncurvad4,  1200,  500\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  std::vector<punto_tracciato> p = punti(esito.scenario.tracciato);
  EXPECT_DOUBLE_EQ(p[1001].x, -0.0004);
  // The second curve starts before the first ends: it is laid from 1501 to 1700.
  double passo_1500 = p[1500].x - p[1499].x;
  double passo_1700 = p[1700].x - p[1699].x;
  double passo_1800 = p[1800].x - p[1799].x;
  EXPECT_LT(passo_1500, 0.0);
  EXPECT_NEAR(passo_1700 - passo_1500, 200 * 0.001, 0.01);
  EXPECT_DOUBLE_EQ(passo_1800, passo_1700);
}

TEST_F(Curva, WithoutThePlanCurvesAreOrdinaryFields) {
  carica(linea("curvad3,  1000,  500\r\npendenza,  500,  3\r\n"), servizio_vuoto, 0);
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_FALSE(esito.scenario.tracciato.esiste());
  EXPECT_EQ(c(10).pendenza, 103);
}

TEST_F(Curva, ClassDigitAndPlanLimit) {
  carica(linea("curvad7,  1000,  500\r\n"));
  EXPECT_EQ(esito.codice_errore(), 103);
  EXPECT_FALSE(resta_linea());
  EXPECT_TRUE(resta_servizio());

  carica(linea("curvad1,  999500,  1000\r\n", 1000000));
  EXPECT_EQ(esito.codice_errore(), 103);
  EXPECT_EQ(esito.scenario.tracciato.metri_posati, 1000001);

  carica(linea("curvad1,  1000100,  100\r\n", 1000000));  // the straight run up to the start counts too
  EXPECT_EQ(esito.codice_errore(), 103);

  // Laying metre 1000000 itself stops the load; a curve ending one metre earlier does not.
  carica(linea("curvad1,  999000,  1000\r\n", 1000000));
  EXPECT_EQ(esito.codice_errore(), 103);
  EXPECT_EQ(esito.scenario.tracciato.metri_posati, 1000001);
  carica(linea("curvad1,  999000,  999\r\n", 1000000));
  EXPECT_EQ(esito.codice_errore(), 0);

  // Past both the plan's end and metre 1000000: whichever metre comes first decides.
  carica(linea("curvad1,  998000,  2000\r\n", 992000));  // the plan ends at 999000
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(esito.scenario.tracciato.metri_posati, 999001);
  carica(linea("curvad1,  999000,  1500\r\n", 993000));  // the plan ends at 1000000
  EXPECT_EQ(esito.codice_errore(), 103);
  EXPECT_EQ(esito.scenario.tracciato.metri_posati, 1000001);

  // The straight tail after the body has no such limit.
  carica(linea("", 1000000));
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(esito.scenario.tracciato.metri_posati, 1006999);
}

TEST_F(Curva, CurvePastThePlansEndFails) {
  carica(linea("curvad3,  16000,  2000\r\n"));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(esito.scenario.tracciato.metri_posati, 17001);  // every metre up to the last was laid
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}
