#include "tool/testo_unicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tool/json.h"

TEST(TestoUnicode, WindowsCodePageToUtf8AndQuoted) {
  EXPECT_EQ(in_utf8("CAF\xC8"), "CAF\xC3\x88");              // È
  EXPECT_EQ(in_utf8("\x80 \x9F"), "\xE2\x82\xAC \xC5\xB8");  // € and Ÿ from the 0x80 row
  EXPECT_EQ(in_utf8("\x81"), "\xC2\x81");                    // undefined: the control character of that number
  EXPECT_EQ(tra_virgolette("A \"B\" \\ \x01\x7F\xE0"), "\"A \\\"B\\\" \\\\ \\x01\\x7F\xC3\xA0\"");
  EXPECT_EQ(tra_virgolette("\x8D"), "\"\\x8D\"");
}

TEST(TestoUnicode, JsonStringsAreUtf8AndNumbersExact) {
  EXPECT_EQ(stringa_json("S. MAR\xC3\x8D"
                         "A \"N\"\t\\"),
            "\"S. MAR\xC3\x8D" "A \\\"N\\\"\\u0009\\\\\"");
  EXPECT_EQ(stringa_json("\x7F\x1F"), "\"\\u007f\\u001f\"");
  oggetto_json j;
  j.numero("a", -2147483648LL)
      .reale("x", 0.1)
      .reale("y", -46235.860055777004)
      .reale("n", std::nan(""))
      .reale("i", std::numeric_limits<double>::infinity())
      .nullo("z")
      .testo("t", "")
      .testo_1252("c", "\x80\xC8");
  EXPECT_EQ(j.riga(),
            "{\"a\":-2147483648,\"x\":0.1,\"y\":-46235.860055777004,\"n\":null,\"i\":null,\"z\":null,\"t\":\"\","
            "\"c\":\"\xE2\x82\xAC\xC3\x88\"}");
  EXPECT_EQ(oggetto_json().riga(), "{}");
}
