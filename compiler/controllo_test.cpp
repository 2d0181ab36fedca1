#include "compiler/controllo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>

#include "compiler/compilatore.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "platform/piattaforma_prova.h"

namespace {

const richiesta_controllo richiesta{"L", "T", true};
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

// The code that a compilation records, with a taken header slot as its code.
int32_t codice_compilato(const sorgenti_in_memoria& s, int32_t j) {
  sorgenti_in_memoria copia = s;
  compilatore c;
  c.nome_linea = "L";
  c.nome_treno = "T";
  int32_t testata = c.compila(copia, j);
  return testata != 0 ? testata : c.codice_errore;
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
  c.nome_linea = "L";
  c.nome_treno = "T";
  sorgenti_in_memoria s = sorgenti(linea("indicatori_vmax,  800,  140,  0,  0,  0,  ,  ,  ,  0\r\n"), servizio(""));
  sorgenti_in_memoria copia = s;
  ASSERT_EQ(c.compila(copia, 1), 0);
  const std::vector<cella> prima = c.griglia;
  copia = s;
  EXPECT_EQ(c.compila(copia, 1), 0) << "a second compile found the first one's stamps";
  EXPECT_EQ(c.griglia.size(), prima.size());
  EXPECT_TRUE(std::equal(prima.begin(), prima.end(), c.griglia.begin(), [](const cella& a, const cella& b) {
    return a.tipo == b.tipo && a.dato1 == b.dato1 && a.dato2 == b.dato2;
  }));
  sorgenti_in_memoria vuote;
  EXPECT_EQ(c.compila(vuote, 1), 0);
  EXPECT_EQ(c.codice_errore, 101);
  EXPECT_TRUE(c.griglia.empty());
  EXPECT_EQ(c.tabella[voce_testata_linea].intero_a, 0);
}

// The check against a compilation on thousands of inputs made from the built-in sources
// cut down to their first 30 km and changed at random: no error exactly when the
// compilation records 0, and the recorded code among the errors. Some of them are also
// compiled on disk, which must record the same code and position and leave the same
// source files as a compilation in memory.
class ProprietaControllo : public ::testing::Test {
 protected:
  static std::vector<std::string> righe_incorporate(bool servizio) {
    PiattaformaProva p;
    Form1 f(p);
    f.nome_linea = linea_incorporata;
    f.nome_treno = treno_incorporato;
    servizio ? f.dati_treno() : f.dati_linea();
    std::string testo =
        p.leggi(servizio ? nome_file_servizio(f.nome_linea, f.nome_treno) : nome_file_linea(f.nome_linea));
    std::vector<std::string> righe;
    std::istringstream in(testo);
    for (std::string r; std::getline(in, r);) {
      if (!r.empty() && r.back() == '\r') r.pop_back();
      size_t virgola = r.find(',');
      bool corpo = r.find_first_of("[") == std::string::npos && r.find("lunghezza") == std::string::npos &&
                   r.find("progressiva") == std::string::npos && r.find("ripetizione") == std::string::npos;
      if (corpo && virgola != std::string::npos && std::atol(r.c_str() + virgola + 1) > 30000) continue;
      if (r.find("lunghezza percorso") != std::string::npos) r = "lunghezza percorso,    30000";
      if (r.find("ripetizione") != std::string::npos) r = "ripetizione segnali 9 codici,    650,    29000";
      righe.push_back(r);
    }
    return righe;
  }

  static void muta(std::vector<std::string>& righe, std::mt19937& caso) {
    static const char* const numeri[] = {"0",     "-1",      "1", "25", "50",          "1300", "183", "2100", "36950",
                                         "40000", "1000001", "",  " ",  "99999999999", "7",    "250", "4100"};
    static const char* const inserti[] = {",", "-", "[", "]", "x", "9", "\xC3\xA9", " "};
    auto scegli = [&](size_t n) { return static_cast<size_t>(caso() % n); };
    if (righe.empty()) return;
    size_t i = scegli(righe.size());
    std::string& r = righe[i];
    switch (caso() % 7) {
      case 0:
        righe.erase(righe.begin() + static_cast<long>(i));
        break;
      case 1:
        righe.insert(righe.begin() + static_cast<long>(i), righe[scegli(righe.size())]);
        break;
      case 2:
        std::swap(r, righe[scegli(righe.size())]);
        break;
      case 3: {  // a value replaced
        std::vector<size_t> virgole;
        for (size_t k = 0; k < r.size(); ++k) {
          if (r[k] == ',') virgole.push_back(k);
        }
        if (virgole.empty()) break;
        size_t da = virgole[scegli(virgole.size())] + 1;
        size_t a = std::min(r.find(',', da), r.size());
        r.replace(da, a - da, std::string(" ") + numeri[scegli(std::size(numeri))]);
        break;
      }
      case 4:  // two characters swapped
        if (r.size() > 2) std::swap(r[scegli(r.size() - 1)], r[scegli(r.size() - 1) + 1]);
        break;
      case 5:
        r.insert(scegli(r.size() + 1), inserti[scegli(std::size(inserti))]);
        break;
      case 6:
        righe.resize(i);
        break;
    }
  }

  static std::string unisci(const std::vector<std::string>& righe, size_t taglio) {
    std::string t;
    for (const std::string& r : righe) t += r + "\r\n";
    return t.substr(0, std::min(taglio, t.size()));
  }
};

TEST_F(ProprietaControllo, CheckAgreesWithCompile) {
  const std::vector<std::string> linea0 = righe_incorporate(false), servizio0 = righe_incorporate(true);
  std::mt19937 caso(20261209);
  std::set<int32_t> codici;
  PiattaformaProva disco;
  for (int n = 0; n < 3000; ++n) {
    std::vector<std::string> l = linea0, s = servizio0;
    for (unsigned m = 1 + caso() % 3; m > 0; --m) muta(caso() % 2 ? l : s, caso);
    size_t taglio_l = caso() % 20 == 0 ? caso() % 4000 : std::string::npos;
    size_t taglio_s = caso() % 20 == 0 ? caso() % 4000 : std::string::npos;
    sorgenti_in_memoria in_memoria = sorgenti(unisci(l, taglio_l), unisci(s, taglio_s));
    if (n % 23 == 0) in_memoria.file.erase(file_servizio);
    const int32_t j = n % 5 == 0 ? 0 : 1;

    const int32_t codice = codice_compilato(in_memoria, j);
    codici.insert(codice);
    std::vector<diagnostica> d = controlla_sorgenti(in_memoria, {"L", "T", j != 0});
    std::set<int32_t> errori;
    for (const diagnostica& x : d) {
      if (x.livello == gravita::errore) errori.insert(x.codice);
    }
    ASSERT_EQ(codice == 0, errori.empty()) << "case " << n << ": code " << codice;
    if (codice != 0) {
      ASSERT_TRUE(errori.contains(codice)) << "case " << n << ": code " << codice;
    }

    if (n % 50 == 0) {
      for (const auto& [nome, testo] : in_memoria.file) disco.scrivi(nome, testo);
      Form1 f(disco);
      f.nome_linea = "L";
      f.nome_treno = "T";
      int32_t jj = j;
      int32_t su_disco = 0;
      try {
        f.memorizza_percorso(jj);
        su_disco = f.codice_errore;
      } catch (const fine_programma&) {
        su_disco = disco.messaggi.back() == " Errore n. 1250" ? 1250 : 1251;
      }
      EXPECT_EQ(su_disco, codice) << "case " << n;
      sorgenti_in_memoria dopo = in_memoria;
      compilatore c;
      c.nome_linea = "L";
      c.nome_treno = "T";
      c.compila(dopo, j);
      EXPECT_EQ(disco.esiste(file_linea), dopo.esiste(file_linea)) << "case " << n;
      EXPECT_EQ(disco.esiste(file_servizio), dopo.esiste(file_servizio)) << "case " << n;
      EXPECT_EQ(c.posizione_errore, f.posizione_errore) << "case " << n;
      elimina_se_esiste(disco.percorso(file_linea));
      elimina_se_esiste(disco.percorso(file_servizio));
    }
  }
  EXPECT_GE(codici.size(), 10u) << "the changes reach too few codes";
}
