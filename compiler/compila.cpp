// compila: one whole compilation in memory. It starts from nothing, has the loader read
// both source files, runs the code placement passes over the grid, checks and stamps
// the two header slot pairs and stores the two checksums.
//
// Codes recorded by the loader or the passes do not stop it. When the loader stopped
// before it created the grid there is nothing to compile; a header slot already taken
// stops it before anything is stamped, and the caller decides what that means.
#include "compiler/compilatore.h"
#include "driver/nomi_file.h"

namespace {

constexpr int16_t timbro_linea = 610;
constexpr int16_t timbro_griglia = 5121;

}  // namespace

void compilatore::ricomincia() {
  static_cast<scenario_compilato&>(*this) = scenario_compilato{};
  codice_errore = 0;
  posizione_errore = 0;
  riga.clear();
  diagnostiche.clear();
  luogo_record = {};
  origine_celle.clear();
  cella_rifiutata_ = -1;
  riga_avvisata_ = 0;
}

int32_t compilatore::compila(sorgenti_scenario& sorgenti, int32_t j) {
  ricomincia();
  con_tracciato = j;
  memorizza_dati(sorgenti);
  if (griglia.empty()) {
    for (auto d = diagnostiche.rbegin(); d != diagnostiche.rend(); ++d) {
      if (d->livello != gravita::errore) continue;
      d->note.push_back({d->luogo, "no track grid: nothing is compiled"});
      break;
    }
    return 0;
  }
  passi_codici();
  return timbra_testate();
}

// The header slots of entry 85 and cell 1 must still be free: the first pair takes the
// format stamps, the second the checksums.
int32_t compilatore::timbra_testate() {
  voce& testata = tabella[voce_testata_linea];
  cella& intestazione = griglia[1];
  luogo_record = {};
  if (testata.intero_a != 0 || intestazione.dato1 != 0) return testata_occupata(1250);
  testata.intero_a = timbro_linea;
  intestazione.dato1 = timbro_griglia;
  if (testata.valore_d != 0 || intestazione.dato2 != 0) return testata_occupata(1251);
  testata.valore_d = codice_gara_st();
  intestazione.dato2 = static_cast<int16_t>(codice_gara_og());
  return 0;
}

// A taken header slot: an error of its own, placed at the record that laid cell 1's
// object; the recorded code stays as it was.
int32_t compilatore::testata_occupata(int32_t codice) {
  auto o = origine_celle.find(1);
  luogo_sorgente dove = o != origine_celle.end() ? o->second : luogo_sorgente{nome_file_linea(nome_linea), 0, 0};
  std::string messaggio = codice == 1250 ? "the first header slot of the compiled files is taken"
                                         : "the second header slot of the compiled files is taken";
  std::vector<nota_diagnostica> note;
  if (o != origine_celle.end()) note.push_back(nota_cella(1, "", dove));
  diagnostiche.push_back({gravita::errore, codice, "", dove, messaggio, std::move(note)});
  return codice;
}
