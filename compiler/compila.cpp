// compila: one whole compilation in memory. It starts from nothing, has the loader read
// both source files, runs the code placement passes over the grid, checks and stamps
// the two header slot pairs and stores the two checksums.
//
// When the loader stopped before it created the grid there is nothing to compile; a
// header slot already taken stops it before anything is stamped, and the caller decides
// what that means.
#include "compiler/compila.h"

#include <atomic>

#include "loader/carica_scenario.h"
#include "model/nomi_file.h"
#include "model/stati_uscita.h"

namespace {

std::atomic<uint64_t> compilazioni{0};

constexpr int16_t timbro_linea = 610;
constexpr int16_t timbro_griglia = 5121;

// A taken header slot: an error of its own, placed at the record that laid cell 1's
// object; the recorded code stays as it was.
int32_t testata_occupata(esito_caricamento& e, int32_t codice, const std::string& file_linea) {
  auto o = e.origine_celle.find(1);
  luogo_sorgente dove = o != e.origine_celle.end() ? o->second : luogo_sorgente{file_linea, 0, 0};
  std::string messaggio = codice == 1250 ? "the first header slot of the compiled files is taken"
                                         : "the second header slot of the compiled files is taken";
  std::vector<nota_diagnostica> note;
  if (o != e.origine_celle.end()) note.push_back(nota_cella(e, 1, "", dove));
  e.diagnostiche.push_back({gravita::errore, codice, "", dove, messaggio, std::move(note), false, {}, {}});
  return codice;
}

// The header slots of entry 85 and cell 1 must still be free: the first pair takes the
// format stamps, the second the checksums.
int32_t timbra_testate(esito_caricamento& e, const std::string& file_linea) {
  voce& testata = e.scenario.tabella[voce_testata_linea];
  cella& intestazione = e.scenario.griglia[1];
  if (testata.intero_a != 0 || intestazione.dato1 != 0) return testata_occupata(e, 1250, file_linea);
  testata.intero_a = timbro_linea;
  intestazione.dato1 = timbro_griglia;
  if (testata.valore_d != 0 || intestazione.dato2 != 0) return testata_occupata(e, 1251, file_linea);
  testata.valore_d = codice_gara_st(e.scenario.tabella);
  intestazione.dato2 = static_cast<int16_t>(codice_gara_og(e.scenario.tabella));
  return 0;
}

}  // namespace

esito_compilazione compila(sorgenti_scenario& sorgenti, const richiesta_caricamento& richiesta) {
  compilazioni.fetch_add(1, std::memory_order_relaxed);
  esito_compilazione e{carica_scenario(richiesta, sorgenti)};
  if (!e.ha_griglia()) {
    for (auto d = e.diagnostiche.rbegin(); d != e.diagnostiche.rend(); ++d) {
      if (d->livello != gravita::errore) continue;
      d->note.push_back({d->luogo, "no track grid: nothing is compiled"});
      break;
    }
    return e;
  }
  passi_codici(e, nome_file_servizio(richiesta.linea, richiesta.treno));
  e.testata_occupata = timbra_testate(e, nome_file_linea(richiesta.linea));
  return e;
}

uint64_t compilazioni_eseguite() { return compilazioni.load(std::memory_order_relaxed); }

int stato_compilazione(const esito_compilazione& e) {
  if (!e.ha_griglia()) return uscita_fallita;
  return e.codice_errore() == 0 ? uscita_riuscita : uscita_con_codice;
}
