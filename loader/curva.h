// curva: curves and the plan of the route. Each curve lays the straight run up to its
// start, then itself, one metre at a time, never past the plan's last metre; after
// the body the straight tail runs to the end of the grid.
#pragma once

#include <cstdint>
#include <string>

#include "loader/record_letto.h"
#include "model/scenario.h"

class diagnosi;

// The plan laid so far: the next metre to compute, and the curve read last.
struct stato_piano {
  int64_t metro = 2;
  luogo_sorgente luogo_curva;
};

// A curve: its start and length, and the class (1 to 6, 0 for none) and side that its
// key names.
struct curva_letta {
  numero_letto inizio;
  int32_t lunghezza = 0;
  int classe = 0;
  bool sinistra = false;
};
curva_letta leggi_curva(lettore_campi& l, const std::string& chiave);
// `lunghezza` is where the route length was read.
esito_record posa_curva(const curva_letta& r, stato_piano& s, scenario_compilato& sc, diagnosi& d,
                        const luogo_sorgente& lunghezza);

// Straight metres up to and including `fino_a`. Within the body (`limite_piano`) the
// plan may not pass metre 1000000: false, with code 103, when it reaches it.
bool posa_rettilineo(stato_piano& s, scenario_compilato& sc, diagnosi& d, int64_t fino_a, bool limite_piano);
