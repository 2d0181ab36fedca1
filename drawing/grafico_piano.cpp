// The plan panel. The route is turned so that its first and last points lie on one
// horizontal line, start on the left, and drawn to scale; the axes give the turned plan
// coordinates in kilometres, an arrow points to +y (north), and ticks across the route
// mark every so many kilometres along it, so that the plan reads against the profile.
// Tunnels are drawn as heavy strokes along the route, signals as dots, stations as
// circles with their names placed clear of each other and of the route. Beyond the
// route's end the plan goes on dashed as far as anything stands there, drawn in red.
#include <algorithm>
#include <cmath>

#include "drawing/grafico_piano.h"
#include "drawing/misure.h"

namespace {

constexpr double margine_sinistro = 64;
constexpr double margine_basso = 44;
constexpr double spazio_etichette = 56;  // above and below the route, inside the frame
constexpr double corpo = 11;

// The plan turned: u along the line from the first point to the last, v across it
// (to the left of the direction of travel), both in metres from the first point.
struct rotazione {
  double x0 = 0, y0 = 0;
  double ux = 1, uy = 0;

  // From the first point to the last one up to metre `fine`.
  rotazione(const std::vector<punto_piano>& p, int64_t fine) {
    if (p.empty()) return;
    const punto_piano* ultimo = &p.front();
    for (const punto_piano& q : p) {
      if (q.metro <= fine) ultimo = &q;
    }
    x0 = p.front().x;
    y0 = p.front().y;
    double dx = ultimo->x - x0, dy = ultimo->y - y0;
    double l = std::hypot(dx, dy);
    if (l >= 1) {
      ux = dx / l;
      uy = dy / l;
    }
  }
  double u(double x, double y) const { return (x - x0) * ux + (y - y0) * uy; }
  double v(double x, double y) const { return -(x - x0) * uy + (y - y0) * ux; }
};

// Screen place of plan coordinates.
struct scala {
  double sinistra, alto, umin, vmax, pixel_per_metro;
  double X(double u) const { return sinistra + (u - umin) * pixel_per_metro; }
  double Y(double v) const { return alto + (vmax - v) * pixel_per_metro; }
  double u_di(double X) const { return umin + (X - sinistra) / pixel_per_metro; }
  double v_di(double Y) const { return vmax - (Y - alto) / pixel_per_metro; }
};

std::vector<std::pair<double, double>> tratto_schermo(const std::vector<punto_piano>& p, const rotazione& r,
                                                      const scala& sc, int64_t da, int64_t a) {
  std::vector<std::pair<double, double>> punti;
  for (const punto_piano& q : p) {
    if (q.metro < da || q.metro > a) continue;
    punti.emplace_back(sc.X(r.u(q.x, q.y)), sc.Y(r.v(q.x, q.y)));
  }
  return punti;
}

// The point of the plan nearest to metre m (the plan has one point every 50 m).
const punto_piano* punto_a(const std::vector<punto_piano>& p, int64_t m) {
  auto it = std::lower_bound(p.begin(), p.end(), m, [](const punto_piano& q, int64_t v) { return q.metro < v; });
  if (it == p.end()) return p.empty() ? nullptr : &p.back();
  return &*it;
}

// The frame, the grid and the kilometre ticks of both axes.
void assi(svg& s, const scala& sc, const riquadro& cornice) {
  double umin = sc.u_di(cornice.x0), umax = sc.u_di(cornice.x1);
  double vmin = sc.v_di(cornice.y1), vmax = sc.v_di(cornice.y0);
  s.rettangolo(cornice.x0, cornice.y0, cornice.x1 - cornice.x0, cornice.y1 - cornice.y0,
               "fill=\"none\" stroke=\"#888\" stroke-width=\"1\"");
  double passo_u = passo_tacche((umax - umin) / 1000, 16) * 1000;
  for (double u = std::ceil(umin / passo_u) * passo_u; u <= umax; u += passo_u) {
    double X = sc.X(u);
    s.linea(X, cornice.y0, X, cornice.y1, std::string("stroke=\"") + stile::griglia + "\"");
    s.linea(X, cornice.y1, X, cornice.y1 + 5, "stroke=\"#555\"");
    s.testo(X, cornice.y1 + 17, numero_svg(u / 1000), "font-size=\"11\" text-anchor=\"middle\" fill=\"#333\"");
  }
  double passo_v = passo_tacche((vmax - vmin) / 1000, 8) * 1000;
  for (double v = std::ceil(vmin / passo_v) * passo_v; v <= vmax; v += passo_v) {
    double Y = sc.Y(v);
    s.linea(cornice.x0, Y, cornice.x1, Y, std::string("stroke=\"") + stile::griglia + "\"");
    s.linea(cornice.x0 - 5, Y, cornice.x0, Y, "stroke=\"#555\"");
    s.testo(cornice.x0 - 8, Y + 4, numero_svg(v / 1000), "font-size=\"11\" text-anchor=\"end\" fill=\"#333\"");
  }
  s.testo((cornice.x0 + cornice.x1) / 2, cornice.y1 + 34,
          "plan, km, turned so that the route's start and end lie level; the ticks across the route "
          "mark km along it",
          "font-size=\"12\" text-anchor=\"middle\" fill=\"#333\"");
  double ym = (cornice.y0 + cornice.y1) / 2;
  s.testo(cornice.x0 - 44, ym, "plan, km", "font-size=\"12\" text-anchor=\"middle\" fill=\"#333\"", -90);
}

// An arrow towards +y (north) in the first corner of the frame that the route leaves
// free; returns the box it covers.
riquadro freccia_nord(svg& s, const rotazione& r, const riquadro& cornice,
                      const std::vector<std::pair<double, double>>& linea) {
  const double lato = 64;
  const riquadro angoli[] = {{cornice.x1 - lato, cornice.y0, cornice.x1, cornice.y0 + lato},
                             {cornice.x0, cornice.y0, cornice.x0 + lato, cornice.y0 + lato},
                             {cornice.x1 - lato, cornice.y1 - lato, cornice.x1, cornice.y1},
                             {cornice.x0, cornice.y1 - lato, cornice.x0 + lato, cornice.y1}};
  riquadro scelto = angoli[0];
  for (const riquadro& a : angoli) {
    bool libero = std::none_of(linea.begin(), linea.end(), [&](const auto& p) {
      return p.first >= a.x0 && p.first <= a.x1 && p.second >= a.y0 && p.second <= a.y1;
    });
    if (libero) {
      scelto = a;
      break;
    }
  }
  double cx = (scelto.x0 + scelto.x1) / 2, cy = (scelto.y0 + scelto.y1) / 2 + 4;
  double dx = r.uy, dy = -r.ux;  // +y turned onto the screen, whose y points down
  s.cerchio(cx, cy, 15, "fill=\"white\" stroke=\"#999\"");
  double px = -dy, py = dx;  // across the arrow
  s.linea(cx - dx * 12, cy - dy * 12, cx + dx * 11, cy + dy * 11, "stroke=\"#333\" stroke-width=\"2\"");
  s.polilinea({{cx + dx * 5 + px * 5, cy + dy * 5 + py * 5},
               {cx + dx * 12, cy + dy * 12},
               {cx + dx * 5 - px * 5, cy + dy * 5 - py * 5}},
              "stroke=\"#333\" stroke-width=\"2\" stroke-linejoin=\"round\"");
  s.testo(cx + dx * 22, cy + dy * 22 + 4, "N", "font-size=\"12\" font-weight=\"bold\" text-anchor=\"middle\"");
  return scelto;
}

// A tick across the route every `passo` metres from the origin, with its kilometre;
// the labels keep clear of the obstacles and of each other.
void chilometri(svg& s, const dati_disegno& d, const rotazione& r, const scala& sc, const riquadro& area,
                std::vector<riquadro>& ostacoli) {
  auto passo = static_cast<int64_t>(passo_tacche(static_cast<double>(d.lunghezza) / 1000, 12) * 1000);
  std::vector<etichetta> e;
  std::vector<std::string> testi;
  for (int64_t m = passo; m <= d.lunghezza; m += passo) {
    const punto_piano* q = punto_a(d.piano, m);
    const punto_piano* prima = punto_a(d.piano, m - 50);
    if (q == nullptr || prima == nullptr || q == prima) continue;
    double X = sc.X(r.u(q->x, q->y)), Y = sc.Y(r.v(q->x, q->y));
    double dX = X - sc.X(r.u(prima->x, prima->y)), dY = Y - sc.Y(r.v(prima->x, prima->y));
    double l = std::hypot(dX, dY);
    if (!(l > 0)) continue;
    s.linea(X - dY / l * 6, Y + dX / l * 6, X + dY / l * 6, Y - dX / l * 6, "stroke=\"#111\" stroke-width=\"1.4\"");
    testi.push_back(numero_svg(static_cast<double>(m) / 1000));
    e.push_back({X, Y, larghezza_testo(testi.back(), 9) + 2, 11});
  }
  disponi_etichette(e, ostacoli, area);
  for (size_t i = 0; i < e.size(); ++i) {
    const riquadro& b = e[i].posto;
    s.testo((b.x0 + b.x1) / 2, b.y1 - 2, testi[i], "font-size=\"9\" text-anchor=\"middle\" fill=\"#555\"");
    ostacoli.push_back(b);
  }
}

void etichette_stazioni(svg& s, const dati_disegno& d, const rotazione& r, const scala& sc, const riquadro& area,
                        std::vector<riquadro>& ostacoli, etichette_disegnate& disegnate) {
  std::vector<etichetta> e;
  for (const stazione_disegno& st : d.stazioni) {
    const punto_piano* q = punto_a(d.piano, st.metro);
    double X = sc.X(r.u(q->x, q->y)), Y = sc.Y(r.v(q->x, q->y));
    e.push_back({X, Y, larghezza_testo(st.nome, corpo) + 4, corpo + 3});
    ostacoli.push_back({X - 5, Y - 5, X + 5, Y + 5});
  }
  disponi_etichette(e, ostacoli, area);
  for (size_t i = 0; i < e.size(); ++i) {
    const riquadro& b = e[i].posto;
    if (e[i].lontana) {
      double lx = std::clamp(e[i].x, b.x0, b.x1), ly = std::clamp(e[i].y, b.y0, b.y1);
      s.linea(e[i].x, e[i].y, lx, ly, "stroke=\"#999\" stroke-width=\"0.8\"");
    }
    const stazione_disegno& st = d.stazioni[i];
    const char* colore = st.metro > d.lunghezza ? stile::oltre : st.fermata ? "#111" : "#777";
    s.testo((b.x0 + b.x1) / 2, b.y1 - 4, st.nome,
            std::string("font-size=\"11\" text-anchor=\"middle\" fill=\"") + colore + "\"");
    disegnate.riquadri.push_back(b);
    ostacoli.push_back(b);
  }
}

}  // namespace

double disegna_piano(svg& s, const dati_disegno& d, double x, double y, double larghezza, double altezza_massima,
                     etichette_disegnate& etichette) {
  if (d.piano.empty()) {
    s.testo(x + larghezza / 2, y + 30, "no plan: the scenario was compiled without one",
            "font-size=\"13\" text-anchor=\"middle\" fill=\"#777\"");
    return 50;
  }
  rotazione r(d.piano, d.lunghezza);
  double umin = 0, umax = 0, vmin = 0, vmax = 0;
  for (const punto_piano& q : d.piano) {
    umin = std::min(umin, r.u(q.x, q.y));
    umax = std::max(umax, r.u(q.x, q.y));
    vmin = std::min(vmin, r.v(q.x, q.y));
    vmax = std::max(vmax, r.v(q.x, q.y));
  }
  double dentro_l = larghezza - margine_sinistro - 20;
  double dentro_a = altezza_massima - margine_basso - 2 * spazio_etichette;
  double ppm = std::min(dentro_l / std::max(umax - umin, 1.0), dentro_a / std::max(vmax - vmin, 1.0));
  double sinistra = x + margine_sinistro + (dentro_l - (umax - umin) * ppm) / 2;
  scala sc{sinistra, y + spazio_etichette, umin, vmax, ppm};
  riquadro cornice{x + margine_sinistro, y, x + larghezza - 20, sc.Y(vmin) + spazio_etichette};
  assi(s, sc, cornice);

  auto tutta = tratto_schermo(d.piano, r, sc, 0, d.lunghezza);
  s.polilinea(tutta, std::string("stroke=\"") + stile::linea + "\" stroke-width=\"2\" stroke-linejoin=\"round\"");
  auto oltre = tratto_schermo(d.piano, r, sc, d.lunghezza, d.fine);
  if (d.fine > d.lunghezza) {
    s.polilinea(oltre, std::string("stroke=\"") + stile::oltre + "\" stroke-width=\"1.5\" stroke-dasharray=\"5 4\"");
  }
  for (const galleria& g : d.gallerie) {
    s.polilinea(tratto_schermo(d.piano, r, sc, g.inizio, g.fine),
                std::string("stroke=\"") + stile::galleria + "\" stroke-width=\"6\" stroke-linecap=\"butt\"");
  }
  for (int64_t m : d.segnali) {
    const punto_piano* q = punto_a(d.piano, m);
    double X = sc.X(r.u(q->x, q->y)), Y = sc.Y(r.v(q->x, q->y));
    s.cerchio(X, Y, 2.2, std::string("fill=\"") + stile::segnale + "\"");
    if (m > d.lunghezza)
      s.cerchio(X, Y, 6, std::string("fill=\"none\" stroke=\"") + stile::oltre + "\" stroke-width=\"1.5\"");
  }
  for (const stazione_disegno& st : d.stazioni) {
    const punto_piano* q = punto_a(d.piano, st.metro);
    double X = sc.X(r.u(q->x, q->y)), Y = sc.Y(r.v(q->x, q->y));
    s.cerchio(X, Y, st.fermata ? 4.5 : 3,
              st.fermata ? "fill=\"white\" stroke=\"#111\" stroke-width=\"1.6\"" : "fill=\"#bbb\" stroke=\"#777\"");
    if (st.metro > d.lunghezza) {
      s.cerchio(X, Y, 8, std::string("fill=\"none\" stroke=\"") + stile::oltre + "\" stroke-width=\"1.5\"");
    }
  }
  auto intera = tutta;
  intera.insert(intera.end(), oltre.begin(), oltre.end());
  std::vector<riquadro> ostacoli{freccia_nord(s, r, cornice, intera)};
  for (const auto& [X, Y] : intera) ostacoli.push_back({X - 2, Y - 2, X + 2, Y + 2});
  riquadro area{cornice.x0 + 2, cornice.y0 + 2, cornice.x1 - 2, cornice.y1 - 2};
  etichette_stazioni(s, d, r, sc, area, ostacoli, etichette);
  chilometri(s, d, r, sc, area, ostacoli);
  return cornice.y1 - y + margine_basso;
}
