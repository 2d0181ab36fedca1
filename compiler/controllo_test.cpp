#include "compiler/controllo.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "compiler/compilatore.h"
#include "loader/caricamento_prova.h"

namespace {

const richiesta_caricamento richiesta{"L", "T", true, false};
const std::string file_linea = testi_prova::file_linea;
const std::string file_servizio = testi_prova::file_servizio;
sorgenti_in_memoria sorgenti(const std::string& l, const std::string& s) { return testi_prova::coppia(l, s); }
std::string linea(const std::string& corpo) { return testi_prova::linea(corpo); }
std::string servizio(const std::string& righe) { return testi_prova::servizio(righe); }
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
// One table for the diagnostics that point at the text: each case is a pair of files,
// the warning's name (or an error's code) expected once, its range (line, column, end
// column; 0 for the file as a whole), a part of its message and the fix offered.
namespace {

struct caso_avviso {
  std::string linea, servizio, nome;
  int riga, colonna, colonna_fine;
  std::string messaggio = "", correzione = "";
};

const std::string segnale_avviso = "segnale,  2100,  2, 3, 1,  1, 0,  0,  0,0,0, ";
const std::string stazione_avviso = "stazione,  2000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0,  0,0,0, ";
const caso_avviso casi_avvisi[] = {
  {linea("  pendenzza,  1000,  2\r\n"), servizio_neutro, "unknown-keyword", 4, 3, 12, "did you mean 'pendenza'?",
   "pendenza"},
  {linea(""), servizio("stazzione,  2000\r\n"), "unknown-keyword", 2, 1, 10, "", "stazione"},
  {linea("[pendenze]\r\n[curvee]\r\n"), servizio_neutro, "unknown-section", 5, 1, 9, "", "[curve]"},
  {"[generale]\r\nlunghezza percorso,  10000\r\n[curve ]\r\n[fine]\r\n", servizio_neutro, "unknown-section", 3,
   1, 9, "", "[curve]"},
  {linea(""), "[generaal]\r\nsabbia,  1\r\n", "missing-generale", 0, 0, 0},
  {linea(""), "", "empty-service", 0, 0, 0},
  {linea(""), "[generale]\r\n[fine]\r\n", "empty-service", 0, 0, 0},
  {linea(""), "[generale]\r\nsabbia,  1\r\n", "missing-end", 0, 0, 0},
  {linea("pendenza,  ,  2\r\n"), servizio_neutro, "empty-field", 4, 12, 12},
  {linea(""), servizio("velocita,  0,  183\r\n"), "speed-rounded", 2, 16, 19},
  {linea("pendenza,  1000,  160\r\n"), servizio_neutro, "value-truncated", 4, 19, 22},
  {linea(""), servizio(segnale_avviso + "300\r\n"), "value-truncated", 2, 1, 8},
  {linea("curvad3,  2000,  0\r\n"), servizio_neutro, "empty-curve", 4, 1, 8},
  {linea("curvad3,  2000,  500\r\ncurvad3,  1000,  500\r\n"), servizio_neutro, "empty-curve", 5, 1, 8},
  {linea("montagna,  3000,  2000,  1\r\n"), servizio_neutro, "end-before-start", 4, 1, 9},
  {linea(""), servizio("rallentamento,  5000,  40,  -300,  0,  0,  0\r\n"), "end-before-start", 2, 1, 14},
  {linea("pendenza,  2000,  1\r\npendenza,  1000,  2\r\n"), servizio_neutro, "gradient-order", 5, 12, 16},
  {linea(""), servizio("stazione,  12000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  0,  0,0,0, A\r\n"),
   "station-beyond-end", 2, 12, 17},
  {linea(""), servizio(stazione_avviso + "CITT\xC3\x80\r\n"), "utf8-text", 2, 66, 72},
  // Silent misreadings.
  {linea(""), servizio("velocita,  0,  100,  5\r\n"), "too-many-fields", 2, 22, 23, "\"5\" is one too many"},
  {linea(""), servizio(stazione_avviso + "0,  A\r\n"), "too-many-fields", 2, 70, 71},
  {linea(""), servizio("velocita,  0\r\n100\r\n"), "too-few-fields", 2, 13, 13, "2 fields on its line, 3"},
  {linea(""), servizio("sabbia\t3\r\n"), "tab-separator", 2, 7, 8, "", ", "},
  {linea(""), servizio("[velocita]\r\n0,  100\r\n"), "keyword-in-section", 2, 1, 11},
  {linea(""), servizio("velocita,  0,  100\r\nvelocita,  2000,  90\r\nvelocita,  1000,  80\r\n"),
   "speed-order", 4, 12, 16},
  {linea(""), servizio("aderenza,  0,  80\r\naderenza,  2000,  90\r\naderenza,  1000,  80\r\n"),
   "adhesion-order", 4, 12, 16},
  {linea("montagna,  3000,  3500,  1\r\nmontagna,  1000,  1500,  1\r\n"), servizio_neutro, "tunnel-order", 5,
   12, 16, "1000 m comes after one at 3000 m"},
  {linea("curvad3,  1000,  500\r\ncurvad3,  1200,  500\r\n"), servizio_neutro, "curve-order", 5, 11, 15,
   "ends, at 1500 m"},
  // Fields that cannot be read: code 25 at the offending characters.
  {linea(""), servizio("segnale,  17.000,  2, 3, 1,  1, 0,  0,  0,0,0, 0\r\n"), "25", 2, 11, 17,
   "the 2nd field of segnale, its position in metres, must be a whole number; found \"17.000\""},
  {linea(""), servizio("velocita,  195OO,  100\r\n"), "25", 2, 12, 17, "found \"195OO\""},
  {linea(""), servizio("sabbia,  40000\r\n"), "25", 2, 10, 15, "from -32768 to 32767; found 40000"},
  {linea(""), servizio(stazione_avviso.substr(0, 46) + "x,1,1,  0,  0,0,0, A\r\n"), "25", 2, 47, 48,
   "the 11th field of stazione, the intero_c value, must"},
  {linea(""), servizio(stazione_avviso.substr(0, 46) + "4,x,1,  0,  0,0,0, A\r\n"), "25", 2, 49, 50,
   "the 12th field of stazione, the intero_d value, must"},
  {linea(""), servizio(stazione_avviso.substr(0, 46) + "4,1,x,  0,  0,0,0, A\r\n"), "25", 2, 51, 52,
   "the 13th field of stazione, the intero_e value, must"},
  {linea("montagna,  300,  400\r\n"), servizio_neutro, "25", 4, 21, 21,
   "montagna ends after its 3rd field: the 4th field of montagna, its kind, must be a whole number; found "
   "\"[fine]\" on line 5"},
};

void controlla_caso(const caso_avviso& k) {
  std::vector<diagnostica> d = controlla_sorgenti(sorgenti(k.linea, k.servizio), richiesta);
  auto questa = [&](const diagnostica& x) {
    return x.livello == gravita::errore ? std::to_string(x.codice) == k.nome : x.nome == k.nome;
  };
  ASSERT_EQ(std::count_if(d.begin(), d.end(), questa), 1) << k.nome << " " << k.servizio;
  const diagnostica& x = *std::find_if(d.begin(), d.end(), questa);
  EXPECT_EQ(x.luogo.riga, k.riga) << k.nome;
  EXPECT_EQ(x.luogo.colonna, k.colonna) << k.nome;
  EXPECT_EQ(x.luogo.colonna_fine, k.colonna_fine) << k.nome;
  EXPECT_NE(x.messaggio.find(k.messaggio), std::string::npos) << x.messaggio;
  EXPECT_EQ(x.correzioni.empty() ? "" : x.correzioni[0].sostituzione, k.correzione) << k.nome;
  if (k.nome == "tab-separator" || k.nome.find("order") != std::string::npos || k.nome.find("fields") != std::string::npos) {
    EXPECT_FALSE(x.note.empty()) << k.nome << ": a note says what the compiler made of it";
  }
}

}  // namespace

TEST(Controllo, Warnings) {
  for (const caso_avviso& k : casi_avvisi) controlla_caso(k);
  // Silent misreadings compile: the warning is all there is.
  for (const char* s : {"velocita,  0,  100,  5\r\n", "velocita,  0\r\n100\r\n"}) {
    std::vector<diagnostica> d = controlla_sorgenti(sorgenti(linea(""), servizio(s)), richiesta);
    EXPECT_EQ(d.size(), 1u) << s;
  }
  // A station name in Windows-1252 is what the file should hold: no warning.
  EXPECT_TRUE(controlla_sorgenti(sorgenti(linea(""), servizio("stazione,  2000,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,  "
                                                              "0,  0,0,0, CITT\xC0\r\n")),
                                 richiesta)
                  .empty());
}

// Of each kind the first 100 are kept, a field that cannot be read as any other: the
// rest are counted in a note of the 100th, placed at the last of them; the last error
// that records a code is listed too, after them. The empty fields of both files are one
// kind: 120 in the line file (a board's right-hand speeds, empty for none, are no
// fault), then 150 in the service file.
namespace {

struct tipo_limitato {
  std::string nome;
  size_t quante;  // listed
  int centesima;  // the line of the 100th
  size_t oltre;   // counted in its note
  int riga, colonna;  // the place of the last
};
const tipo_limitato tipi_limitati[] = {
    {"unknown-keyword", 100, 101, 50, 151, 1},
    {"25", 101, 301, 50, 351, 12},
    {"empty-field", 100, 103, 170, 201, 12},
};

}  // namespace

TEST(Controllo, OfEachKindTheFirstHundredAreKept) {
  std::string tavole, righe;
  for (int k = 0; k < 120; ++k) {
    tavole += "indicatori_vmax,  " + std::to_string(800 + 50 * k) + ",  140,  145,  155,  ,  ,  ,  ,  0\r\n";
  }
  for (int k = 0; k < 150; ++k) righe += "xxxx,  1\r\n";
  for (int k = 0; k < 50; ++k) righe += "orologio,,,\r\n";
  for (int k = 0; k < 150; ++k) righe += "velocita,  x,  1\r\n";
  std::vector<diagnostica> d = controlla_sorgenti(sorgenti(linea(tavole), servizio(righe)), richiesta);
  for (const tipo_limitato& t : tipi_limitati) {
    std::vector<const diagnostica*> tenute;
    for (const diagnostica& x : d) {
      if ((x.livello == gravita::errore ? std::to_string(x.codice) : x.nome) == t.nome) tenute.push_back(&x);
    }
    ASSERT_EQ(tenute.size(), t.quante) << t.nome;
    ASSERT_EQ(tenute[99]->note.size(), 1u) << t.nome;
    const nota_diagnostica& nota = tenute[99]->note[0];
    EXPECT_EQ(nota.messaggio, "and " + std::to_string(t.oltre) + " more like this, the last one here") << t.nome;
    EXPECT_EQ(std::make_pair(nota.luogo.riga, nota.luogo.colonna), std::make_pair(t.riga, t.colonna)) << t.nome;
    EXPECT_EQ(tenute[99]->luogo.riga, t.centesima) << t.nome;
    EXPECT_EQ(tenute.back()->luogo.riga, t.quante == 101u ? t.riga : t.centesima) << t.nome;
  }
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
