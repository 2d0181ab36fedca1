// Source files of a route of any length with the built-in scenario's density of
// records, for measuring how the compiler's cost grows with the route's length.
#pragma once

#include <cstdint>
#include <string>

struct sorgenti_sintetiche {
  std::string linea;
  std::string servizio;
};

// The built-in route's records repeated every 228000 m up to `lunghezza` metres: every
// record whose positions all lie below the route's end is kept, shifted by whole
// periods. Stations and signboards share 80 table entries, so only the first period's
// signboards and the first 70 stations are kept.
sorgenti_sintetiche percorso_sintetico(int32_t lunghezza, const std::string& linea_incorporata,
                                       const std::string& servizio_incorporato);
