#include "model/chilometri.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Chilometri, EveryFormOnTheEdges) {
  struct caso {
    long long metri;
    const char* tre_cifre;
    const char* senza_zeri;
    const char* un_decimale;
  };
  const caso casi[] = {
      {0, "0.000", "0", "0.0"},
      {50, "0.050", "0.05", "0.1"},
      {-50, "-0.050", "-0.05", "-0.1"},
      {15300, "15.300", "15.3", "15.3"},
      {17250, "17.250", "17.25", "17.2"},  // 17.25 is exact: the tie goes to the even digit
      {214050, "214.050", "214.05", "214.1"},
      {228000, "228.000", "228", "228.0"},
      {1001, "1.001", "1.001", "1.0"},
      {LLONG_MIN, "-9223372036854775.808", "-9223372036854775.808", "-9223372036854776.0"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(in_chilometri(c.metri, forma_km::tre_cifre), c.tre_cifre) << c.metri;
    EXPECT_EQ(in_chilometri(c.metri, forma_km::senza_zeri), c.senza_zeri) << c.metri;
    EXPECT_EQ(in_chilometri(c.metri, forma_km::un_decimale), c.un_decimale) << c.metri;
  }
}
