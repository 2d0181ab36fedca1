#include "compiler/controllo.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "compiler/compilatore.h"

namespace {

const richiesta_caricamento richiesta{"L", "T", true, false};
const std::string file_linea = "L_linea.txt";
const std::string file_servizio = "L_T-.txt";

sorgenti_in_memoria sorgenti(const std::string& linea, const std::string& servizio) {
  sorgenti_in_memoria s;
  s.file[file_linea] = linea;
  s.file[file_servizio] = servizio;
  return s;
}

std::string linea(const std::string& corpo) {
  return "[generale]\r\nlunghezza percorso,    10000\r\n[curve]\r\n" + corpo + "[fine]\r\n";
}
std::string servizio(const std::string& righe) { return "[generale]\r\n" + righe + "[fine]\r\n"; }
const std::string servizio_neutro = servizio("sabbia,  1\r\n");

std::vector<std::string> errori_di(const std::vector<diagnostica>& d) {
  std::vector<std::string> e;
  for (const diagnostica& x : d) {
    if (x.livello == gravita::errore)
      e.push_back(x.luogo.file + ":" + std::to_string(x.luogo.riga) + " " + std::to_string(x.codice));
  }
  return e;
}

}  // namespace

TEST(Controllo, AfterAStopLaterRecordsAreCheckedToo) {
  const std::string segnale_a = "segnale,  2100,  2, 3, 1,  1, 0,  0,  0,0,0, 0\r\n";
  const std::string segnale_b = "segnale,  8100,  2, 3, 1,  1, 0,  0,  0,0,0, 0\r\n";
  std::vector<diagnostica> d =
      controlla_sorgenti(sorgenti(linea("indicatori_vmax,  800,  140,  145,  155,  0,  ,  ,  ,  0\r\n"
                                        "cartello_indicatore,  800,  (A)\r\n"
                                        "curvad,  1000,  500\r\n"
                                        "montagna,  3000,  3500,  11\r\n"),
                                  servizio(segnale_a + segnale_a +
                                           "stazione,  4025,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0,  "
                                           "0,0,0, A\r\n" +
                                           segnale_b + segnale_b + "sabbia,  70000\r\nvelocita,  0,  30\r\n")),
                         richiesta);
  EXPECT_EQ(errori_di(d), (std::vector<std::string>{"L_linea.txt:5 6", "L_linea.txt:6 103", "L_T-.txt:3 16",
                                                    "L_T-.txt:4 8", "L_T-.txt:6 16", "L_T-.txt:7 25"}))
      << "the second pair of signals is checked";
  // The same pair far apart in the service file alone: two errors in one run.
  d = controlla_sorgenti(
      sorgenti(linea(""), servizio(segnale_a + segnale_a + "sabbia,  1\r\n" + segnale_b + segnale_b)), richiesta);
  EXPECT_EQ(errori_di(d), (std::vector<std::string>{"L_T-.txt:3 16", "L_T-.txt:6 16"}));
  // The passes' codes are listed all, not only the last: two slowdowns with their first
  // group of candidates taken.
  std::string tavole;
  for (int p : {4750, 4700, 4650, 9750, 9700, 9650}) {
    tavole += "indicatori_vmax,  " + std::to_string(p) + ",  140,  0,  0,  0,  ,  ,  ,  0\r\n";
  }
  d = controlla_sorgenti(sorgenti(linea(tavole), servizio("rallentamento,  5000,  120,  300,  0,  0,  0\r\n"
                                                          "rallentamento,  10000,  120,  300,  0,  0,  0\r\n")),
                         richiesta);
  EXPECT_EQ(errori_di(d), (std::vector<std::string>{"L_T-.txt:2 12", "L_T-.txt:3 12"}));
}

// Where a check stops going on: with no grid there is nothing to place any record on,
// and once the stations have reached the signboards' entries no later station has an
// entry; each gives one error, however many records follow.
TEST(Controllo, RecoveryEndsWhereNothingIsLeftToCheckAgainst) {
  std::string cartelli;
  for (int k = 0; k < 78; ++k) cartelli += "cartello_indicatore,  " + std::to_string(1000 + 100 * k) + ",  (A)\r\n";
  const std::string stazione = "stazione,  2000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0,  0,0,0, A\r\n";
  struct caso {
    std::string linea, servizio;
    std::vector<std::string> errori;
  };
  for (const caso& k : std::vector<caso>{
           {"[generale]\r\n[curve]\r\npendenza,  100,  1\r\npendenza,  200,  1\r\n[fine]\r\n", servizio_neutro,
            {"L_linea.txt:3 25"}},
           {"[generale]\r\n[curve]\r\npendenza,  x,  1\r\npendenza,  200,  1\r\n[fine]\r\n", servizio_neutro,
            {"L_linea.txt:3 25"}},
           {"[generale]\r\n[curve]\r\n[fine]\r\n", servizio_neutro, {"L_linea.txt:0 25"}},
           {linea(cartelli), servizio(stazione + stazione + "stazione,  2050,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0,  "
                                                          "0,0,0, B\r\n"),
            {"L_T-.txt:2 10"}},
       }) {
    std::vector<diagnostica> d = controlla_sorgenti(sorgenti(k.linea, k.servizio), richiesta);
    EXPECT_EQ(errori_di(d), k.errori) << k.linea.substr(0, 60);
  }
}

// Each warning on the smallest input that shows it: its name, line and column.
TEST(Controllo, Warnings) {
  struct caso {
    std::string linea, servizio, nome;
    int riga, colonna;
  };
  const std::string segnale = "segnale,  2100,  2, 3, 1,  1, 0,  0,  0,0,0, ";
  for (const caso& k : std::vector<caso>{
           {linea("  pendenzza,  1000,  2\r\n"), servizio_neutro, "unknown-keyword", 4, 3},
           {linea("[pendenze]\r\n[curvee]\r\n"), servizio_neutro, "unknown-section", 5, 1},
           {"[generale]\r\nlunghezza percorso,  10000\r\n[curve ]\r\n[fine]\r\n", servizio_neutro, "unknown-section", 3,
            1},
           {linea(""), "[generaal]\r\nsabbia,  1\r\n", "missing-generale", 0, 0},
           {linea(""), "", "empty-service", 0, 0},
           {linea(""), "[generale]\r\n[fine]\r\n", "empty-service", 0, 0},
           {linea(""), "[generale]\r\nsabbia,  1\r\n", "missing-end", 0, 0},
           {linea("pendenza,  ,  2\r\n"), servizio_neutro, "empty-field", 4, 12},
           {linea(""), servizio("velocita,  0,  183\r\n"), "speed-rounded", 2, 1},
           {linea("pendenza,  1000,  160\r\n"), servizio_neutro, "value-truncated", 4, 1},
           {linea(""), servizio(segnale + "300\r\n"), "value-truncated", 2, 1},
           {linea("curvad3,  2000,  0\r\n"), servizio_neutro, "empty-curve", 4, 1},
           {linea("curvad3,  2000,  500\r\ncurvad3,  1000,  500\r\n"), servizio_neutro, "empty-curve", 5, 1},
           {linea("montagna,  3000,  2000,  1\r\n"), servizio_neutro, "end-before-start", 4, 1},
           {linea(""), servizio("rallentamento,  5000,  40,  -300,  0,  0,  0\r\n"), "end-before-start", 2, 1},
           {linea("pendenza,  2000,  1\r\npendenza,  1000,  2\r\n"), servizio_neutro, "gradient-order", 5, 1},
           {linea(""),
            servizio("stazione,  12000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0, "
                     " 0,0,0, A\r\n"),
            "station-beyond-end", 2, 1},
           {linea(""),
            servizio("stazione,  2000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0,  "
                     "0,0,0, CITT\xC3\x80\r\n"),
            "utf8-text", 2, 1},
       }) {
    std::vector<diagnostica> d = controlla_sorgenti(sorgenti(k.linea, k.servizio), richiesta);
    ASSERT_EQ(d.size(), 1u) << k.nome << ": " << (d.empty() ? "" : d.back().nome);
    EXPECT_EQ(d[0].livello, gravita::avviso) << k.nome;
    EXPECT_EQ(d[0].nome, k.nome);
    EXPECT_EQ(d[0].luogo.riga, k.riga) << k.nome;
    EXPECT_EQ(d[0].luogo.colonna, k.colonna) << k.nome;
  }
  // A station name in Windows-1252 is what the file should hold: no warning.
  EXPECT_TRUE(controlla_sorgenti(sorgenti(linea(""), servizio("stazione,  2000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  "
                                                              "0,  0,0,0, CITT\xC0\r\n")),
                                 richiesta)
                  .empty());
}

TEST(Controllo, EveryCompileStartsFromNothing) {
  compilatore c;
  c.richiesta = richiesta;
  sorgenti_in_memoria s = sorgenti(linea("indicatori_vmax,  800,  140,  0,  0,  0,  ,  ,  ,  0\r\n"), servizio(""));
  sorgenti_in_memoria copia = s;
  ASSERT_EQ(c.compila(copia), 0);
  const std::vector<cella> prima = c.esito.scenario.griglia;
  copia = s;
  EXPECT_EQ(c.compila(copia), 0) << "a second compile found the first one's stamps";
  const std::vector<cella>& dopo = c.esito.scenario.griglia;
  EXPECT_EQ(dopo.size(), prima.size());
  EXPECT_TRUE(std::equal(prima.begin(), prima.end(), dopo.begin(), [](const cella& a, const cella& b) {
    return a.tipo == b.tipo && a.dato1 == b.dato1 && a.dato2 == b.dato2;
  }));
  sorgenti_in_memoria vuote;
  EXPECT_EQ(c.compila(vuote), 0);
  EXPECT_EQ(c.esito.codice_errore(), 101);
  EXPECT_TRUE(c.esito.scenario.griglia.empty());
  EXPECT_EQ(c.esito.scenario.tabella[voce_testata_linea].intero_a, 0);
}
