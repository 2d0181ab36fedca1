// The compiled scenario as plain data: the track grid, the general table, the plan and
// the mountain lists, with the sizes read from the route length. The loader fills it,
// the passes add code points, the writers put it into the compiled files.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/cella.h"
#include "model/tracciato.h"
#include "model/voce.h"

struct scenario_compilato {
  int32_t lunghezza_griglia = 0;
  int32_t n_celle = 0;
  int32_t n_montagne = 0;
  std::vector<cella> griglia;  // cells 0 to n_celle; empty until the route length is read
  tabella_generale tabella;
  tracciato_piano tracciato;
  std::array<int32_t, 81> montagne_inizio{};
  std::array<int32_t, 81> montagne_fine{};
};
