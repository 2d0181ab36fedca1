// The note on a cell of a loaded scenario, placed at the record that laid its object.
#include "loader/esito_caricamento.h"

#include "model/descrizioni.h"

nota_diagnostica nota_cella(const esito_caricamento& e, int64_t k, const std::string& quale,
                            const luogo_sorgente& altrimenti) {
  auto o = e.origine_celle.find(k);
  std::string chi = "the cell at " + std::to_string(k * 50) + " m (cell " + std::to_string(k) + ")" +
                    (quale.empty() ? "" : ", " + quale + ",");
  return {o == e.origine_celle.end() ? altrimenti : o->second,
          chi + " holds " + descrivi_cella(e.scenario.griglia[static_cast<size_t>(k)], e.scenario.tabella)};
}
