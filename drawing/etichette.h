// Placing labels so that none covers another: names next to points on the plan, and
// names standing upright over the profile's kilometre axis.
#pragma once

#include <vector>

// A box on the picture, in pixels: left, top, right, bottom.
struct riquadro {
  double x0, y0, x1, y1;
};

bool si_sovrappongono(const riquadro& a, const riquadro& b);

// Where the labels of a panel ended up, so that they can be checked for overlaps.
struct etichette_disegnate {
  std::vector<riquadro> riquadri;
};

// A label of the given size for the point (x, y); `posto` is where its box ends up.
struct etichetta {
  double x, y;
  double larghezza, altezza;
  riquadro posto{};
  bool lontana = false;  // set apart from its point: draw a leader line
};

// Puts each label, in order, at the first of a ring of places around its point (close
// ones first, then further out) that lies inside `area`, touches neither a label
// already placed nor an obstacle, and is nearer to its own point than to any other
// label's point, so that no one reads it as another point's name. A label with no such
// place goes to its nearest place inside the area all the same.
void disponi_etichette(std::vector<etichetta>& etichette, const std::vector<riquadro>& ostacoli, const riquadro& area);

// Moves the positions `x` (sorted) apart so that neighbours are at least `passo`
// apart and all lie within [minimo, massimo] where there is room: for labels set
// side by side along an axis.
void distanzia(std::vector<double>& x, double passo, double minimo, double massimo);
