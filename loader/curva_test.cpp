#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using Curva = ProvaCaricamento;

TEST_F(Curva, StraightRunThenRightHandCurve) {
  carica(linea("curvad3,  1000,  500\r\n"));
  ASSERT_EQ(form.codice_errore, 0);
  const tracciato_piano& t = form.tracciato;
  EXPECT_EQ(tipo_elemento(t, 0), variante_intero);
  EXPECT_EQ(tipo_elemento(t, 1), variante_intero);
  EXPECT_EQ(t.y[1], 1.0);
  // Straight along +y up to the curve's start.
  EXPECT_EQ(t.x[2], 0.0);
  EXPECT_EQ(t.y[2], 2.0);
  EXPECT_EQ(t.x[1000], 0.0);
  EXPECT_EQ(t.y[1000], 1000.0);
  // The step (0, 1) turns towards +x by 0.0004 a metre: (0.0004, 1), then
  // (0.0004 + 0.0004, 1 - 0.0004 * 0.0004).
  EXPECT_DOUBLE_EQ(t.x[1001], 0.0004);
  EXPECT_DOUBLE_EQ(t.y[1001], 1001.0);
  EXPECT_DOUBLE_EQ(t.x[1002], 0.0012);
  EXPECT_DOUBLE_EQ(t.y[1002], 1001.99999984);
  EXPECT_NEAR(t.x[1003], 0.002399999936, 1e-15);
  // After the curve the last step repeats: the route goes on straight.
  double dx = t.x[1500] - t.x[1499];
  EXPECT_GT(dx, 0.19);  // about 500 * 0.0004 radians
  EXPECT_LT(dx, 0.21);
  EXPECT_DOUBLE_EQ(t.x[1502] - t.x[1501], t.x[1501] - t.x[1500]);
  // Metres 2 to lunghezza_griglia - 2 hold doubles; the last two stay empty.
  EXPECT_EQ(tipo_elemento(t, 16998), variante_double);
  EXPECT_EQ(tipo_elemento(t, 16999), variante_vuota);
  EXPECT_EQ(tipo_elemento(t, 17000), variante_vuota);
}

TEST_F(Curva, LeftHandAndOverlappingCurves) {
  carica(linea("curvaS3,  1000,  500\r\ncurvad4,  1200,  500\r\n"));
  ASSERT_EQ(form.codice_errore, 0);
  EXPECT_DOUBLE_EQ(form.tracciato.x[1001], -0.0004);
  // The second curve starts before the first ends: it is laid from 1501 to 1700.
  double passo_1500 = form.tracciato.x[1500] - form.tracciato.x[1499];
  double passo_1700 = form.tracciato.x[1700] - form.tracciato.x[1699];
  double passo_1800 = form.tracciato.x[1800] - form.tracciato.x[1799];
  EXPECT_LT(passo_1500, 0.0);
  EXPECT_NEAR(passo_1700 - passo_1500, 200 * 0.001, 0.01);
  EXPECT_DOUBLE_EQ(passo_1800, passo_1700);
}

TEST_F(Curva, WithoutThePlanCurvesAreOrdinaryFields) {
  carica(linea("curvad3,  1000,  500\r\npendenza,  500,  3\r\n"), servizio_vuoto, 0);
  EXPECT_EQ(form.codice_errore, 0);
  EXPECT_FALSE(form.tracciato.esiste());
  EXPECT_EQ(c(10).pendenza, 103);
}

TEST_F(Curva, ClassDigitAndPlanLimit) {
  carica(linea("curvad7,  1000,  500\r\n"));
  EXPECT_EQ(form.codice_errore, 103);
  EXPECT_FALSE(resta_linea());
  EXPECT_TRUE(resta_servizio());

  carica(linea("curvad1,  999500,  1000\r\n", 1000000));
  EXPECT_EQ(form.codice_errore, 103);
  EXPECT_EQ(form.tracciato.metri_posati, 1000001);

  carica(linea("curvad1,  1000100,  100\r\n", 1000000));  // the straight run up to the start counts too
  EXPECT_EQ(form.codice_errore, 103);

  // The straight tail after the body has no such limit.
  carica(linea("", 1000000));
  EXPECT_EQ(form.codice_errore, 0);
  EXPECT_EQ(form.tracciato.metri_posati, 1006999);
}

TEST_F(Curva, CurvePastThePlansEndFails) {
  carica(linea("curvad3,  16000,  2000\r\n"));
  EXPECT_EQ(form.codice_errore, 25);
  EXPECT_EQ(form.tracciato.metri_posati, 17001);  // every metre up to the last was laid
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}
