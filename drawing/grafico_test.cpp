#include "drawing/grafico.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drawing/etichette_prova.h"
#include "drawing/misure.h"

TEST(Grafico, TicksAndSpacing) {
  EXPECT_EQ(passo_tacche(228, 25), 10);
  EXPECT_EQ(passo_tacche(200, 6), 50);
  EXPECT_EQ(passo_tacche(30, 6), 5);
  EXPECT_EQ(passo_tacche(0.9, 6), 0.2);
  EXPECT_EQ(passo_tacche(0, 6), 1);
  EXPECT_EQ(passo_tacche(std::nan(""), 6), 1);

  std::vector<double> x = {10, 12, 13, 100};
  distanzia(x, 5, 0, 200);
  EXPECT_EQ(x, (std::vector<double>{10, 15, 20, 100}));
  x = {190, 191, 198};
  distanzia(x, 5, 0, 196);  // pushed back from the right end
  EXPECT_EQ(x, (std::vector<double>{186, 191, 196}));
  x = {-5};
  distanzia(x, 5, 0, 196);
  EXPECT_EQ(x, (std::vector<double>{0}));
}

TEST(Grafico, LabelsAvoidEachOtherObstaclesAndOtherPoints) {
  riquadro area{0, 0, 400, 300};
  std::vector<etichetta> e = {{100, 100, 60, 12}, {104, 100, 60, 12}, {100, 104, 60, 12}, {395, 150, 60, 12}};
  std::vector<riquadro> ostacoli = {{100, 80, 300, 98}};
  disponi_etichette(e, ostacoli, area);
  std::vector<riquadro> posti;
  for (const etichetta& q : e) {
    posti.push_back(q.posto);
    EXPECT_TRUE(q.posto.x0 >= 0 && q.posto.y0 >= 0 && q.posto.x1 <= 400 && q.posto.y1 <= 300);
    EXPECT_FALSE(si_sovrappongono(q.posto, ostacoli[0]));
  }
  EXPECT_EQ(sovrapposizioni(posti), 0);
  EXPECT_LE(e[3].posto.x1, 390);  // at the right edge: to the left of its point
  EXPECT_FALSE(e[0].lontana);
}


TEST(Grafico, PlanPointsThatCannotBeDrawnAreLeftOut) {
  piano_decodificato p;
  double strani[] = {0, std::nan(""), std::numeric_limits<double>::infinity(), 2e12, 3};
  for (double v : strani) {
    for (int m = 0; m < 50; ++m) p.x.push_back({5, m == 0 ? v : 0, 0});
  }
  p.y = p.x;
  for (auto& e : p.y) e.valore = 1;
  dati_disegno d = estrai_disegno(p, tabella_generale{}, std::vector<cella>(10));
  ASSERT_EQ(d.piano.size(), 2u);
  EXPECT_EQ(d.piano[0].metro, 0);
  EXPECT_EQ(d.piano[1].metro, 200);
  EXPECT_EQ(d.piano[1].x, 3);
  EXPECT_EQ(grafico_svg(d, "t").find("nan"), std::string::npos);
}
