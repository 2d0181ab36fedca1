// scenario_tool sources DIR: the five built-in text files, written as the program
// writes them, into a directory of the author's choice.
//
// The built-in texts are set against what DIR holds already: a file there that differs
// from the built-in one may be the author's own work, and unless --force is given it
// stops the command before anything is written. Files that match are left as they are.
#include <filesystem>
#include <system_error>

#include "documents/testi_documenti.h"
#include "model/limiti.h"
#include "model/nomi_file.h"
#include "platform/esegui_passo.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "tool/comandi.h"
#include "tool/sottocomandi.h"

namespace fs = std::filesystem;

namespace {

// Whether the file at `percorso` holds `contenuto`; one larger than a source file may be
// (model/limiti.h) holds something else, and is not read.
bool uguale(const std::string& percorso, const std::string& contenuto) {
  std::error_code e;
  if (fs::file_size(percorso_di(percorso), e) > sorgente_massima && !e) return false;
  return leggi_file_limitato(percorso, sorgente_massima) == contenuto;
}

// The built-in files that DIR lacks or holds otherwise; each that differs, unless
// `forza`, is named on `errori` and counted in `diversi`.
std::vector<testo_incorporato> da_scrivere(const std::string& cartella, std::vector<testo_incorporato> file, bool forza,
                                          std::ostream& errori, int& diversi) {
  std::vector<testo_incorporato> scrivere;
  for (testo_incorporato& f : file) {
    std::string percorso = percorso_in(cartella, f.nome);
    if (esiste_file(percorso) && uguale(percorso, f.contenuto)) continue;
    if (esiste_file(percorso) && !forza) {
      errori << "scenario_tool sources: " << percorso
             << " differs from the built-in file; not overwritten (--force overwrites it)\n";
      ++diversi;
    }
    scrivere.push_back(std::move(f));
  }
  return scrivere;
}

}  // namespace

int comando_sources(const std::vector<std::string>& argomenti, std::istream&, std::ostream&, std::ostream& errori) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("sources"), r);
  if (sbaglio.empty() && r.operandi.size() != 1) sbaglio = "one DIR is needed";
  if (!sbaglio.empty()) return riferisci_sbaglio(errori, "sources", {sbaglio});
  const std::string& cartella = r.operandi[0];
  int diversi = 0;
  int stato = esegui_passo(
      [&] {
        fs::create_directories(percorso_di(cartella));
        blocco_cartella blocco(cartella, di_che_si_attende(errori, cartella, sistema::attesa_blocco));
        rimuovi_avanzi(cartella, nomi_file_corsa(linea_incorporata, treno_incorporato));
        std::vector<testo_incorporato> file =
            da_scrivere(cartella, testi_incorporati(), r.ha("--force"), errori, diversi);
        if (diversi > 0) return;
        for (const testo_incorporato& f : file) scrivi_file(percorso_in(cartella, f.nome), f.contenuto);
      },
      errori, "scenario_tool");
  return stato == uscita_riuscita && diversi > 0 ? 1 : stato;
}
