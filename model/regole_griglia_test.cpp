#include "model/regole_griglia.h"

#include <gtest/gtest.h>

TEST(RegoleGriglia, RoundsHalfToEven) {
  EXPECT_EQ(arrotonda(2.5), 2);
  EXPECT_EQ(arrotonda(3.5), 4);
  EXPECT_EQ(arrotonda(7.5), 8);
  EXPECT_EQ(arrotonda(-2.5), -2);
  EXPECT_EQ(arrotonda(-3.5), -4);
  EXPECT_EQ(arrotonda(2.4999), 2);
  EXPECT_EQ(arrotonda(-0.6), -1);
  // Grid sizes: a 225 m route gives 144.5 cells and so 144; 275 m gives 145.5 and 146.
  EXPECT_EQ(arrotonda((225 + 7000) / 50.0), 144);
  EXPECT_EQ(arrotonda((275 + 7000) / 50.0), 146);
  EXPECT_EQ(arrotonda((228000 + 7000) / 50.0), 4700);
}

TEST(RegoleGriglia, PointObjectsStandInTheCellAfterTheirPosition) {
  EXPECT_EQ(cella_di(800), 17);
  EXPECT_EQ(cella_di(825), 18);
  EXPECT_EQ(cella_di(775), 16);
  EXPECT_EQ(cella_di(0), 1);
  EXPECT_EQ(cella_della_posizione(1375), 28);
  EXPECT_EQ(cella_della_posizione(125), 2);
}

TEST(RegoleGriglia, FitsInGridAndFreeCells) {
  EXPECT_TRUE(sta_in_griglia(4600 * 50 - 100, 4600));
  EXPECT_FALSE(sta_in_griglia(4600 * 50 - 99, 4600));
  EXPECT_TRUE(sta_in_griglia(-1000, 0));
  cella c;
  EXPECT_TRUE(cella_libera(c));
  c.tipo = cella_galleria;
  EXPECT_TRUE(cella_libera(c));
  c.tipo = punto_codice;
  EXPECT_FALSE(cella_libera(c));
}
