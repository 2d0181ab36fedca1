#include <gtest/gtest.h>

#include "compiler/compila.h"

namespace {

// Both checksums of a train name and a route name as the table holds them.
std::pair<int32_t, int32_t> codici(const std::string& treno, const std::string& linea) {
  tabella_generale tabella;
  tabella[86].testo = treno;
  tabella[85].testo = linea;
  return {codice_gara_og(tabella), codice_gara_st(tabella)};
}

}  // namespace

TEST(CodiciGara, BuiltInNamesFillTheWindowExactly) {
  // "brezanequma-dorvia_mirelo" is 25 characters: the filler plays no part.
  EXPECT_EQ(codici("brezane", "QUMA-DORVIA_MIRELO"), std::make_pair(2612, 33994));
  EXPECT_EQ(codici("BREZANE", "quma-dorvia_mirelo"), std::make_pair(2612, 33994));
  EXPECT_EQ(codici("brezane", "QUMA-DORVIA_MIRELO-LONGER"), std::make_pair(2612, 33994));
  EXPECT_NE(codici("QUMA-DORVIA_MIRELO", "brezane"), std::make_pair(2612, 33994));
}

TEST(CodiciGara, ShortNamesAreCompletedByTheFiller) {
  // Both empty: "mnbvcxzlkjhgfdsapoiuytrew", the alphabet without q for the plain sum.
  EXPECT_EQ(codici("", ""), std::make_pair(2734, 35785));
  EXPECT_EQ(codici("T", "L"), std::make_pair(2738, 35746));
  EXPECT_EQ(codici("abcdefghijklmnopqrstuvwxyz0123", "xyz"), std::make_pair(2725, 36725));
  // Windows-1252 capitals fold like the keyword tests: 0xC8 counts as 0xE8.
  EXPECT_EQ(codici("\xC8", ""), codici("\xE8", ""));
  EXPECT_EQ(codici("\xE8", "").first, 0xE8 + 2734 - 'w');  // the filler's 25th letter drops out
}
