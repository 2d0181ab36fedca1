#include "sources/testo_righe.h"

#include <gtest/gtest.h>

TEST(TestoRighe, LinesUpToTheSentinelWithCrLf) {
  const char* const righe[] = {"[generale]", "", " ", "\xE8", fine_righe, "never written"};
  EXPECT_EQ(testo_righe(righe), "[generale]\r\n\r\n \r\n\xE8\r\n");
  const char* const solo_fine[] = {fine_righe};
  EXPECT_EQ(testo_righe(solo_fine), "");
}
