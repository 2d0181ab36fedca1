// Label placement by trial: a fixed ring of candidate places per distance, tried in
// order, the first free one taken.
#include "drawing/etichette.h"

#include <algorithm>
#include <cmath>

namespace {

bool dentro(const riquadro& r, const riquadro& area) {
  return r.x0 >= area.x0 && r.y0 >= area.y0 && r.x1 <= area.x1 && r.y1 <= area.y1;
}

// Place number `i` around the point at distance `d`: right, left, above, below, then
// the four corners.
riquadro candidato(const etichetta& e, double d, int i) {
  static constexpr double direzioni[8][2] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
  double dx = direzioni[i][0], dy = direzioni[i][1];
  double cx = e.x + dx * (d + e.larghezza / 2);
  double cy = e.y + dy * (d + e.altezza / 2);
  return {cx - e.larghezza / 2, cy - e.altezza / 2, cx + e.larghezza / 2, cy + e.altezza / 2};
}

bool libero(const riquadro& r, const std::vector<riquadro>& occupati) {
  return std::none_of(occupati.begin(), occupati.end(), [&](const riquadro& o) { return si_sovrappongono(r, o); });
}

double distanza(const riquadro& r, double x, double y) {
  double dx = std::max({r.x0 - x, 0.0, x - r.x1});
  double dy = std::max({r.y0 - y, 0.0, y - r.y1});
  return std::hypot(dx, dy);
}

// True when every other label's point is further from the box than the label's own
// point by at least `scarto` pixels.
bool piu_vicina_al_suo(const riquadro& r, const etichetta& e, const std::vector<etichetta>& tutte, double scarto) {
  double propria = distanza(r, e.x, e.y);
  return std::none_of(tutte.begin(), tutte.end(),
                      [&](const etichetta& a) { return &a != &e && distanza(r, a.x, a.y) < propria + scarto; });
}

// The first free place for `e` at which other points stand at least `scarto` further
// away than its own; false when there is none.
bool cerca_posto(etichetta& e, const std::vector<etichetta>& tutte, const std::vector<riquadro>& occupati,
                 const riquadro& area, double scarto) {
  static constexpr double distanze[] = {5, 14, 26, 40, 56, 75, 100};
  for (double d : distanze) {
    for (int i = 0; i < 8; ++i) {
      riquadro r = candidato(e, d, i);
      if (!dentro(r, area) || !libero(r, occupati) || !piu_vicina_al_suo(r, e, tutte, scarto)) continue;
      e.posto = r;
      e.lontana = d > distanze[0];
      return true;
    }
  }
  return false;
}

riquadro dentro_area(riquadro r, const riquadro& area) {
  double dx = std::max(0.0, area.x0 - r.x0) - std::max(0.0, r.x1 - area.x1);
  double dy = std::max(0.0, area.y0 - r.y0) - std::max(0.0, r.y1 - area.y1);
  return {r.x0 + dx, r.y0 + dy, r.x1 + dx, r.y1 + dy};
}

}  // namespace

bool si_sovrappongono(const riquadro& a, const riquadro& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

void disponi_etichette(std::vector<etichetta>& etichette, const std::vector<riquadro>& ostacoli, const riquadro& area) {
  // Clearly nearest to its own point if possible, then just nearest, then anywhere free.
  static constexpr double scarti[] = {10, 0, -1e9};
  std::vector<riquadro> occupati = ostacoli;
  for (etichetta& e : etichette) {
    bool messa = false;
    for (double scarto : scarti) {
      if (cerca_posto(e, etichette, occupati, area, scarto)) {
        messa = true;
        break;
      }
    }
    if (!messa) {
      e.posto = dentro_area(candidato(e, 5, 0), area);
      e.lontana = false;
    }
    occupati.push_back(e.posto);
  }
}

void distanzia(std::vector<double>& x, double passo, double minimo, double massimo) {
  if (x.empty()) return;
  x.front() = std::max(x.front(), minimo);
  for (size_t i = 1; i < x.size(); ++i) x[i] = std::max(x[i], x[i - 1] + passo);
  if (x.back() > massimo) {
    x.back() = std::max(massimo, minimo);
    for (size_t i = x.size() - 1; i-- > 0;) x[i] = std::min(x[i], x[i + 1] - passo);
  }
}
