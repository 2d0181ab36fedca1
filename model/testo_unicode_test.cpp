#include "model/testo_unicode.h"

#include <gtest/gtest.h>


TEST(TestoUnicode, WindowsCodePageToUtf8AndQuoted) {
  EXPECT_EQ(in_utf8("CAF\xC8"), "CAF\xC3\x88");              // È
  EXPECT_EQ(in_utf8("\x80 \x9F"), "\xE2\x82\xAC \xC5\xB8");  // € and Ÿ from the 0x80 row
  EXPECT_EQ(in_utf8("\x81"), "\xC2\x81");                    // undefined: the control character of that number
  EXPECT_EQ(tra_virgolette("A \"B\" \\ \x01\x7F\xE0"), "\"A \\\"B\\\" \\\\ \\x01\\x7F\xC3\xA0\"");
  EXPECT_EQ(tra_virgolette("\x8D"), "\"\\x8D\"");
}

// Every byte string becomes valid UTF-8: well-formed sequences kept, any other byte read
// as Windows-1252, whatever stands around it.
TEST(TestoUnicode, SafeUtf8WhateverTheBytes) {
  const std::pair<const char*, const char*> casi[] = {
      {"A \"N\"\t\\", "A \"N\"\t\\"},
      {"caf\xC3\xA9 \xF0\x9F\x9A\x86", "caf\xC3\xA9 \xF0\x9F\x9A\x86"},  // two and four bytes kept
      {"caf\xE9\x7F", "caf\xC3\xA9\x7F"},                                  // a stray byte read as Windows-1252
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},                      // no surrogate
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                      // no overlong form
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},                                  // a sequence cut short
      {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},          // beyond U+10FFFF
  };
  for (const auto& [testo, atteso] : casi) EXPECT_EQ(utf8_sicuro(testo), atteso) << testo;
}
