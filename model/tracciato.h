// The plan of the route: x and y, in metres, of every metre from 0 to `ultimo_metro`
// (the route length + 7000 m).
//
// The plan is laid one metre at a time from two seeds, metre 0 at the origin and metre
// 1 one metre along +y: a straight metre repeats the last step, a curve metre turns it
// by the curve's turning factor. Instead of two doubles for every metre (megabytes for
// a long route, all of it fresh memory to touch), the plan keeps how it was laid: the
// runs of straight and curved metres, in order. The points are worked out from the runs
// when they are needed, every time with the same operations in the same order, so they
// come out bit for bit the same.
#pragma once

#include <cstdint>
#include <vector>

struct punto_tracciato {
  double x = 0;
  double y = 0;
};

// The point after `ultimo`, given the one before it: the step between them repeated,
// or turned by `curvatura` (towards +x when it is positive), not renormalised.
inline punto_tracciato punto_successivo(const punto_tracciato& penultimo, const punto_tracciato& ultimo, bool curva,
                                    double curvatura) {
  double dx = ultimo.x - penultimo.x;
  double dy = ultimo.y - penultimo.y;
  if (!curva) return {ultimo.x + dx, ultimo.y + dy};
  return {ultimo.x + (dx + curvatura * dy), ultimo.y + (dy - curvatura * dx)};
}

// Metres up to and including `ultimo` laid straight, or turned by `curvatura` a metre.
struct tratto_piano {
  int64_t ultimo;
  bool curva;
  double curvatura;
};

struct tracciato_piano {
  int64_t ultimo_metro = -1;  // the plan's last metre; -1 when there is no plan
  int64_t metri_posati = 0;   // metres 0 .. metri_posati - 1 are laid
  std::vector<tratto_piano> tratti;

  bool esiste() const { return ultimo_metro >= 0; }
  // Lays the two seeds, metres 0 and 1.
  void semina() {
    metri_posati = 2;
    tratti.clear();
  }
  // Lays the metres from `metri_posati` up to and including `ultimo`, straight or
  // turned by `curvatura`.
  void posa_fino(int64_t ultimo, bool curva, double curvatura);
};

// Lays the plan's runs again and hands every laid point, metre by metre from metre 0,
// to `visita`.
template <typename Visita>
void ripercorri(const tracciato_piano& t, Visita visita) {
  if (t.metri_posati < 2) return;
  punto_tracciato penultimo{0, 0};
  punto_tracciato ultimo{0, 1};
  visita(penultimo);
  visita(ultimo);
  int64_t m = 2;
  for (const tratto_piano& r : t.tratti) {
    // The run's values in locals: what `visita` writes cannot be taken to change them.
    const int64_t fine = r.ultimo;
    const bool curva = r.curva;
    const double curvatura = r.curvatura;
    for (; m <= fine; ++m) {
      punto_tracciato nuovo = punto_successivo(penultimo, ultimo, curva, curvatura);
      penultimo = ultimo;
      ultimo = nuovo;
      visita(nuovo);
    }
  }
}

// Every laid point, metre by metre.
std::vector<punto_tracciato> punti(const tracciato_piano& t);

// Type codes of a plan element in the plan file: empty, 16-bit integer, double.
constexpr uint16_t variante_vuota = 0;
constexpr uint16_t variante_intero = 2;
constexpr uint16_t variante_double = 5;
