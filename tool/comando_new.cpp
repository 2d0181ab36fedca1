// scenario_tool new: writes the small commented pair of source files to start a route of
// one's own from (sources/coppia_nuova.h) into a directory, unless either file is there.
#include <filesystem>

#include "model/nomi_file.h"
#include "platform/esegui_passo.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "sources/coppia_nuova.h"
#include "tool/comandi.h"
#include "tool/sottocomandi.h"

namespace fs = std::filesystem;

int comando_new(const std::vector<std::string>& argomenti, std::istream&, std::ostream&, std::ostream& errori) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("new"), r);
  if (!sbaglio.empty()) return riferisci_sbaglio(errori, "new", {sbaglio});
  std::string linea = r.valori.contains("--line") ? r.valori["--line"] : linea_nuova_predefinita;
  std::string treno = r.valori.contains("--train") ? r.valori["--train"] : treno_nuovo_predefinito;
  if (sbaglio_riga s = controlla_nome("--line", linea); s.presente()) return riferisci_sbaglio(errori, "new", s);
  if (sbaglio_riga s = controlla_nome("--train", treno); s.presente()) return riferisci_sbaglio(errori, "new", s);
  if (r.operandi.size() != 1) return riferisci_sbaglio(errori, "new", {"one DIR is needed"});
  const std::string& cartella = r.operandi[0];
  const std::string nomi[] = {nome_file_linea(linea), nome_file_servizio(linea, treno)};
  const std::string testi[] = {linea_nuova(linea), servizio_nuovo(linea, treno)};
  bool presenti = false;
  for (const std::string& n : nomi) {
    if (esiste_file(percorso_in(cartella, n))) {
      errori << percorso_in(cartella, n) << ": already there; not overwritten\n";
      presenti = true;
    }
  }
  if (presenti) return 1;
  return esegui_passo(
      [&] {
        fs::create_directories(percorso_di(cartella));
        for (int i = 0; i < 2; ++i) scrivi_file(percorso_in(cartella, nomi[i]), testi[i]);
      },
      errori, "scenario_tool");
}
