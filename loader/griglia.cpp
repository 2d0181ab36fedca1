// The grid as the records and stores reach it: its cells, its end, and the cells that
// stand in a record's way.
#include "loader/griglia.h"

#include "loader/diagnosi.h"
#include "model/guasto_caricamento.h"

cella& cella_griglia(scenario_compilato& sc, int64_t k) {
  if (k < 0 || k >= static_cast<int64_t>(sc.griglia.size())) {
    throw guasto_caricamento(sc.griglia.empty()
                                 ? "no track grid yet: the route length has not been read"
                                 : "position " + std::to_string(k * 50) + " m (cell " + std::to_string(k) +
                                       ") lies outside the track grid, 0 to " +
                                       std::to_string((static_cast<int64_t>(sc.griglia.size()) - 1) * 50) +
                                       " m (cells 0 to " + std::to_string(sc.griglia.size() - 1) + ")");
  }
  return sc.griglia[static_cast<size_t>(k)];
}

esito_record fuori_griglia(const scenario_compilato& sc, const luogo_sorgente& lunghezza, diagnosi& d,
                           int64_t posizione) {
  if (sc.griglia.empty()) {
    throw guasto_caricamento(
        "no route length (\"lunghezza percorso\") was read before this record: without it there is no track grid, "
        "so no record of either file can be placed and nothing is compiled",
        std::nullopt, posizione);
  }
  d.codice(15, posizione, {nota_griglia(sc, lunghezza, d.record())});
  return esito_record::fuori_griglia;
}

nota_diagnostica nota_griglia(const scenario_compilato& sc, const luogo_sorgente& lunghezza,
                              const luogo_sorgente& altrimenti) {
  int64_t fine = static_cast<int64_t>(sc.n_celle) * 50;
  return {lunghezza.file.empty() ? altrimenti : lunghezza,
          "the route length of " + std::to_string(sc.tabella[voce_dati_treno].valore_b) +
              " m gives a track grid to " + std::to_string(fine) + " m (cells 0 to " + std::to_string(sc.n_celle) +
              "): a position may be at most " + std::to_string(fine - 100) + " m, a station's " +
              std::to_string(fine - 800) + " m"};
}

esito_record ferma_rifiuto(const esito_caricamento& e, diagnosi& d, int64_t posizione, const rifiuto& r) {
  std::vector<nota_diagnostica> note;
  if (r.cella >= 0 && r.cella < static_cast<int64_t>(e.scenario.griglia.size())) {
    note.push_back(nota_cella(e, r.cella, "", d.record()));
  }
  d.codice(r.codice, posizione, std::move(note));
  return esito_record::fermo;
}
