// griglia: what the records and the stores share in laying objects on the grid and in
// the table of the scenario being built: a cell by its number, the test of a position
// against the grid, the notes on what stands in a record's way, and the table entries
// taken so far.
#pragma once

#include <cstdint>

#include "loader/esito_caricamento.h"
#include "loader/record_letto.h"

class diagnosi;

// A store that found its cell taken: the code it records and the cell.
struct rifiuto {
  int32_t codice;
  int64_t cella;
};

// The table entries that the next signboard (from 80 downwards) and the next station
// (from 1 upwards) take.
struct voci_prese {
  int32_t cartello_libero = 80;
  int32_t n_stazione = 1;
};

// Cell k; a load failure when it lies outside the grid.
cella& cella_griglia(scenario_compilato& sc, int64_t k);

// A position beyond the grid: code 15, which ends the reading of the line file early.
// Without a route length there is no grid at all, and nothing to place any record on:
// the load fails there, once. `lunghezza` is where the route length was read.
esito_record fuori_griglia(const scenario_compilato& sc, const luogo_sorgente& lunghezza, diagnosi& d,
                           int64_t posizione);

// The note on the track grid's end, placed at the route length that sized it (else at
// `altrimenti`).
nota_diagnostica nota_griglia(const scenario_compilato& sc, const luogo_sorgente& lunghezza,
                              const luogo_sorgente& altrimenti);

// A store's refusal stops the load: its code, at `posizione`, with a note on the cell
// refused.
esito_record ferma_rifiuto(const esito_caricamento& e, diagnosi& d, int64_t posizione, const rifiuto& r);
