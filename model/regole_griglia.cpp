// Position-to-cell rules of the track grid.
#include "model/regole_griglia.h"

#include <cmath>

int64_t arrotonda(double x) {
  double intero = std::floor(x);
  double resto = x - intero;
  if (resto > 0.5 || (resto == 0.5 && std::fmod(intero, 2.0) != 0.0)) intero += 1.0;
  return static_cast<int64_t>(intero);
}

int64_t cella_di(int64_t p) { return arrotonda(static_cast<double>(p) / 50.0 + 1.0); }

int64_t cella_della_posizione(int64_t p) { return arrotonda(static_cast<double>(p) / 50.0); }

// (p + 100) / 50 > n_celle, compared exactly in integers.
bool sta_in_griglia(int64_t p, int64_t n_celle) { return p + 100 <= 50 * n_celle; }
