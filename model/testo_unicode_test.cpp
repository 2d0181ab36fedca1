#include "model/testo_unicode.h"

#include <gtest/gtest.h>


TEST(TestoUnicode, WindowsCodePageToUtf8AndQuoted) {
  EXPECT_EQ(in_utf8("CAF\xC8"), "CAF\xC3\x88");              // È
  EXPECT_EQ(in_utf8("\x80 \x9F"), "\xE2\x82\xAC \xC5\xB8");  // € and Ÿ from the 0x80 row
  EXPECT_EQ(in_utf8("\x81"), "\xC2\x81");                    // undefined: the control character of that number
  EXPECT_EQ(tra_virgolette("A \"B\" \\ \x01\x7F\xE0"), "\"A \\\"B\\\" \\\\ \\x01\\x7F\xC3\xA0\"");
  EXPECT_EQ(tra_virgolette("\x8D"), "\"\\x8D\"");
}

TEST(TestoUnicode, JsonStringsAreValidWhateverTheBytes) {
  struct caso {
    const char* testo;
    bool solo_ascii;
    const char* json;
  };
  for (const caso& k : {caso{"A \"N\"\t\\", false, "\"A \\\"N\\\"\\u0009\\\\\""},
                        caso{"caf\xC3\xA9 \xF0\x9F\x9A\x86", false, "\"caf\xC3\xA9 \xF0\x9F\x9A\x86\""},
                        caso{"caf\xC3\xA9 \xF0\x9F\x9A\x86", true, "\"caf\\u00e9 \\ud83d\\ude86\""},
                        caso{"caf\xE9\x7F", false, "\"caf\xC3\xA9\\u007f\""},  // a stray byte read as Windows-1252
                        caso{"\xED\xA0\x80", true, "\"\\u00ed\\u00a0\\u20ac\""}}) {  // no surrogate
    EXPECT_EQ(stringa_json(k.testo, k.solo_ascii), k.json) << k.testo;
  }
}
