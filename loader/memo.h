// memo: the stores. Each lays one object of a record on the scenario being built (its
// grid, its mountain lists or its table) and notes the record being read, as the sink
// `d` has it, as the origin of each cell whose object it lays. A store that finds its
// cell taken lays nothing more and returns the code and cell of its refusal; a value
// that does not fit where it is stored is warned of.
#pragma once

#include <cstdint>
#include <optional>

#include "loader/esito_caricamento.h"
#include "loader/griglia.h"

class diagnosi;

// A speed-indicator board: its position, then speeds A, B, C and the stripes of its
// left side, then those of its right side.
struct valori_indicatori {
  int32_t posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced;
};

// A signal: its position, the kind and three values of its left side, the packing
// value, the kind and three values of its right side, and its time.
struct valori_segnale {
  int32_t posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};

// A slowdown: its start, speed and length, the flag stored at start and end, the
// approach-cells flag, and the value stored at its boards.
struct valori_rallentamento {
  int32_t x, v, l, f_tt, f_ta, d_v;
};

void memo_montagna(scenario_compilato& sc, int32_t inizio, int32_t fine, int32_t tipo);
std::optional<rifiuto> memo_indicatori_v_max(esito_caricamento& e, diagnosi& d, const valori_indicatori& v);
std::optional<rifiuto> memo_segnale(esito_caricamento& e, diagnosi& d, const valori_segnale& v);
std::optional<rifiuto> memo_rallentamento(esito_caricamento& e, diagnosi& d, valori_rallentamento v);

// The three kilometre-post entries put in order, once the general part is read.
void progressive_ordina(tabella_generale& tabella);
