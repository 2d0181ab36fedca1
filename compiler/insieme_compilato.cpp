// The compiled set written whole: every member into a new file of its own, then all
// renamed together.
#include "compiler/insieme_compilato.h"

#include <optional>
#include <vector>

#include "compiler/file_compilati.h"
#include "model/nomi_file.h"
#include "platform/file_servizi.h"

void scrivi_insieme_compilato(const std::string& cartella, const esito_compilazione& e,
                              const richiesta_caricamento& r) {
  if (!e.ha_griglia()) return;
  std::vector<file_nuovo*> insieme;
  std::optional<file_nuovo> piano;
  if (r.con_tracciato) {
    piano.emplace(percorso_in(cartella, nome_file_piano(r.linea)));
    scrivi_piano(*piano, e.scenario.tracciato);
    insieme.push_back(&*piano);
  }
  file_nuovo file_tabella(percorso_in(cartella, nome_file_tabella(r.linea, r.treno)));
  scrivi_tabella(file_tabella, e.scenario.tabella);
  file_nuovo file_griglia(percorso_in(cartella, nome_file_griglia(r.linea, r.treno)));
  scrivi_griglia(file_griglia, e.scenario.griglia);
  insieme.push_back(&file_tabella);
  insieme.push_back(&file_griglia);
  sostituisci_insieme(insieme);
}
