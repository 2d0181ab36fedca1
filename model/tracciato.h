// The plan array `tracciato`: x and y of the route's plan, in metres, for every metre
// 0 to `lunghezza_griglia`.
//
// The plan file stores each element as a tagged value (empty, 16-bit integer or
// double). The loader sets the elements strictly in metre order: metres 0 and 1 are
// the two integer seeds, every later metre a double, so the tags follow from how many
// metres have been set (`metri_posati`) and need not be stored per element.
#pragma once

#include <cstdint>
#include <vector>

struct tracciato_piano {
  std::vector<double> x;
  std::vector<double> y;
  int64_t metri_posati = 0;  // metres 0 .. metri_posati - 1 are set

  bool esiste() const { return !x.empty(); }
  int64_t ultimo_metro() const { return static_cast<int64_t>(x.size()) - 1; }
};

// Type codes of a plan element in the plan file.
constexpr uint16_t variante_vuota = 0;
constexpr uint16_t variante_intero = 2;
constexpr uint16_t variante_double = 5;

// The tag of metre m: the seeds are integers, computed metres doubles, the rest empty.
inline uint16_t tipo_elemento(const tracciato_piano& t, int64_t m) {
  if (m >= t.metri_posati) return variante_vuota;
  return m < 2 ? variante_intero : variante_double;
}
