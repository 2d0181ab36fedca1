// Laying and reading back the plan of the route.
#include "model/tracciato.h"

void tracciato_piano::posa_fino(int64_t ultimo, bool curva, double curvatura) {
  bool stesso = !tratti.empty() && tratti.back().curva == curva && tratti.back().curvatura == curvatura;
  if (stesso) {
    tratti.back().ultimo = ultimo;
  } else {
    tratti.push_back({ultimo, curva, curvatura});
  }
  metri_posati = ultimo + 1;
}

std::vector<punto_tracciato> punti(const tracciato_piano& t) {
  std::vector<punto_tracciato> tutti;
  ripercorri(t, [&](const punto_tracciato& p) { tutti.push_back(p); });
  return tutti;
}
