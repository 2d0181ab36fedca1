// esito_caricamento: what a load is asked for and what it gives back. The request
// names the route and the train (the source files are named after them) and says how
// the load behaves; the result is the scenario read, every problem found, each placed
// at the record that caused it, and the record that laid each cell's object.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/diagnostica.h"
#include "model/luogo_sorgente.h"
#include "model/scenario.h"

// What to load: the two names (the source files are named after them), whether the
// plan is computed, and whether the load goes on after a stop.
struct richiesta_caricamento {
  std::string linea;
  std::string treno;
  bool con_tracciato = true;
  bool recupera = false;
  bool senza_avvisi = false;  // no warning is kept (compile -w)
};

using origini_celle = std::map<int64_t, luogo_sorgente>;  // cell -> the record that laid its object

struct esito_caricamento {
  scenario_compilato scenario;
  std::vector<diagnostica> diagnostiche;
  origini_celle origine_celle;
  // Where the load ended: the record it stopped at, or the file it finished. A later
  // note on a cell that no record laid is placed there.
  luogo_sorgente luogo_finale;

  bool ha_griglia() const { return !scenario.griglia.empty(); }
  int32_t codice_errore() const { return codice_registrato(diagnostiche); }
  int32_t posizione_errore() const { return posizione_registrata(diagnostiche); }
};

// "the cell at M m (cell K)[, quale,] holds ...", placed where the object of the cell was read, or at
// `altrimenti`.
nota_diagnostica nota_cella(const esito_caricamento& e, int64_t k, const std::string& quale,
                            const luogo_sorgente& altrimenti);
