// The built-in source files as written, before the loader reads them.
#include <gtest/gtest.h>

#include "loader/carica_scenario.h"
#include "model/nomi_file.h"
#include "sources/testi_sorgenti.h"

namespace {

std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  size_t inizio = 0;
  for (size_t fine = testo.find("\r\n"); fine != std::string::npos; fine = testo.find("\r\n", inizio)) {
    righe.push_back(testo.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  EXPECT_EQ(inizio, testo.size()) << "text after the last CR LF";
  return righe;
}

}  // namespace

TEST(Contenuto, LineDescriptionAsWritten) {
  std::vector<std::string> r = righe_di(testo_linea());
  ASSERT_EQ(r.size(), 253u);
  EXPECT_EQ(r[0], "[generale]");
  EXPECT_EQ(r[1], "lunghezza percorso,    228000");
  EXPECT_EQ(r[8], "ripetizione segnali 9 codici,    650,    213000");
  EXPECT_EQ(r[9], "[curve]");
  EXPECT_EQ(r[104], "curvas3,  212450,  1000");
  EXPECT_EQ(r[105], "[pendenze]");
  EXPECT_EQ(r[106], "pendenza,   0,    0");
  EXPECT_EQ(r[205], "[montagne]");
  EXPECT_EQ(r[215], "[cartelli]");
  EXPECT_EQ(r[242], "indicatori_vmax,  209950,  80,  90,  95,  0,  ,  ,  ,  0");
  EXPECT_EQ(r[243], "[indicazioni]");
  EXPECT_EQ(r[251], "cartello_indicatore,  192050,   (GALLERIA)(MIRELO  )(M. 2200 )");
  EXPECT_EQ(r[252], "[fine]");
}

TEST(Contenuto, ServiceDescriptionAsWritten) {
  std::vector<std::string> r = righe_di(testo_servizio());
  ASSERT_EQ(r.size(), 212u);
  EXPECT_EQ(r[0], "[generale]");
  EXPECT_EQ(r[4], "orologio,    10              29            30 ");
  EXPECT_EQ(r[5], "[aderenze]");
  EXPECT_EQ(r[11], "[vel_limite]");
  EXPECT_EQ(r[39], "[stazioni]");
  EXPECT_EQ(r[40].rfind("stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,  10,30, 0,", 0), 0u);
  EXPECT_EQ(r[66], "[rallentamenti]");
  EXPECT_EQ(r[67], "rallentamento,   19450,    40,  300, 0,  1,  0");
  EXPECT_EQ(r[71], "[segnali]");
  EXPECT_EQ(r[183], "segnale,  212800,   2, 2, 4,  3, 0,    0,  0,0,0, 230");
  EXPECT_EQ(r[184], "[codici]");
  EXPECT_EQ(r[211], "[fine]");
}

TEST(Contenuto, BuiltInLineFileLaysOneHundredAndEightTunnelMarks) {
  sorgenti_in_memoria s;
  s.file[nome_file_linea(linea_incorporata)] = testo_linea();
  s.file[nome_file_servizio(linea_incorporata, treno_incorporato)] = "[generale]\r\n[fine]\r\n";
  esito_caricamento esito = carica_scenario({linea_incorporata, treno_incorporato, true, false}, s);
  ASSERT_EQ(esito.codice_errore(), 0);
  int marche = 0;
  for (const cella& c : esito.scenario.griglia) marche += c.tipo == cella_galleria;
  EXPECT_EQ(marche, 108);
  EXPECT_EQ(esito.scenario.n_montagne, 9);
}
