#include "decoder/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Json, StringsAreUtf8AndNumbersExact) {
  EXPECT_EQ(oggetto_json().testo("t", "S. MAR\xC3\x8D" "A \"N\"\t\\\x7F").riga(),
            "{\"t\":\"S. MAR\xC3\x8D" "A \\\"N\\\"\\u0009\\\\\\u007f\"}");
  oggetto_json j;
  j.numero("a", -2147483648LL)
      .reale("x", 0.1)
      .reale("y", -46235.860055777004)
      .reale("n", std::nan(""))
      .reale("i", std::numeric_limits<double>::infinity())
      .nullo("z")
      .testo("t", "");
  EXPECT_EQ(j.riga(),
            "{\"a\":-2147483648,\"x\":0.1,\"y\":-46235.860055777004,\"n\":null,\"i\":null,\"z\":null,\"t\":\"\"}");
  EXPECT_EQ(oggetto_json().riga(), "{}");
}
