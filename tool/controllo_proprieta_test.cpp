// The check against a compilation, on the built-in sources changed at random.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

#include "compiler/compila.h"
#include "compiler/controllo.h"
#include "loader/caricamento_prova.h"
#include "platform/piattaforma_prova.h"
#include "sources/testi_sorgenti.h"

namespace {

const std::string file_linea = testi_prova::file_linea;
const std::string file_servizio = testi_prova::file_servizio;

// The code that a compilation records, with a taken header slot as its code.
int32_t codice_di(const esito_compilazione& e) {
  return e.testata_occupata != 0 ? e.testata_occupata : e.codice_errore();
}

}  // namespace

// The check against a compilation on thousands of inputs made from the built-in sources
// cut down to their first 30 km and changed at random: no error exactly when the
// compilation records 0, and the recorded code among the errors. Some of them are also
// compiled on disk, which must record the same code and position and leave the same
// source files as a compilation in memory.
class ProprietaControllo : public ::testing::Test {
 protected:
  static std::vector<std::string> righe_incorporate(bool servizio) {
    std::string testo = servizio ? testo_servizio() : testo_linea();
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
    sorgenti_in_memoria in_memoria = testi_prova::coppia(unisci(l, taglio_l), unisci(s, taglio_s));
    if (n % 23 == 0) in_memoria.file.erase(file_servizio);
    const int32_t j = n % 5 == 0 ? 0 : 1;

    sorgenti_in_memoria copia = in_memoria;
    const int32_t codice = codice_di(compila(copia, {"L", "T", j != 0, false}));
    codici.insert(codice);
    std::vector<diagnostica> d = controlla_sorgenti(in_memoria, {"L", "T", j != 0, false});
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
      sorgenti_su_disco su_disco(disco.cartella);
      esito_compilazione da_disco = compila(su_disco, {"L", "T", j != 0, false});
      EXPECT_EQ(codice_di(da_disco), codice) << "case " << n;
      sorgenti_in_memoria dopo = in_memoria;
      esito_compilazione in_memoria_dopo = compila(dopo, {"L", "T", j != 0, false});
      EXPECT_EQ(disco.esiste(file_linea), dopo.esiste(file_linea)) << "case " << n;
      EXPECT_EQ(disco.esiste(file_servizio), dopo.esiste(file_servizio)) << "case " << n;
      EXPECT_EQ(in_memoria_dopo.posizione_errore(), da_disco.posizione_errore()) << "case " << n;
      elimina_se_esiste(disco.percorso(file_linea));
      elimina_se_esiste(disco.percorso(file_servizio));
    }
  }
  EXPECT_GE(codici.size(), 10u) << "the changes reach too few codes";
}
