#include "sources/scrivi_righe.h"

#include <gtest/gtest.h>

#include "platform/piattaforma_prova.h"

TEST(ScriviRighe, WritesLinesUpToTheSentinelWithCrLf) {
  PiattaformaProva p;
  const char* const righe[] = {"[generale]", "", " ", "\xE8", fine_righe, "never written"};
  scrivi_righe(p.percorso("f.txt"), righe);
  EXPECT_EQ(p.leggi("f.txt"), "[generale]\r\n\r\n \r\n\xE8\r\n");
}

TEST(ScriviRighe, ReplacesALongerFileWhole) {
  PiattaformaProva p;
  p.scrivi("f.txt", std::string(10000, 'x'));
  const char* const righe[] = {"uno", fine_righe};
  scrivi_righe(p.percorso("f.txt"), righe);
  EXPECT_EQ(p.leggi("f.txt"), "uno\r\n");
  EXPECT_EQ(p.contenuto(), std::vector<std::string>{"f.txt"});
}
