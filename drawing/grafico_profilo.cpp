// The profile panel: against kilometres along the route, the line speed limit with the
// slowdowns, the gradient and the adhesion, one band each, then a row with the tunnels
// (named by their signboards) and the signals, and the stations as upright names over
// dashed lines that cross every band. The names are moved apart where stations stand
// close, with a short leader to their line. When something stands past the route's end
// the axis goes on to it, that part is shaded, and a line under the axis names it.
#include <algorithm>
#include <cmath>
#include <functional>

#include "drawing/grafico_profilo.h"
#include "drawing/misure.h"

namespace {

constexpr double margine_sinistro = 64;
constexpr double margine_destro = 20;
constexpr double corpo = 11;
constexpr double spazio = 24;  // between two bands

struct asse_x {
  double sinistra, larghezza, metri;
  double X(double m) const { return sinistra + m / metri * larghezza; }
  double X(int64_t m) const { return X(static_cast<double>(m)); }
  bool oltre(int64_t m) const { return static_cast<double>(m) >= metri; }
  // The end of a stretch, cut at the end of the axis.
  double X_fine(int64_t m) const { return X(std::min(static_cast<double>(m), metri)); }
};

// One band: its top, height and value range.
struct banda {
  double alto, altezza, minimo, massimo;
  double Y(double v) const { return alto + (massimo - std::clamp(v, minimo, massimo)) / (massimo - minimo) * altezza; }
  double basso() const { return alto + altezza; }
};

int estremo(const std::vector<tratto>& t, const std::function<bool(int, int)>& meglio, int partenza) {
  int e = partenza;
  for (const tratto& q : t) {
    if (meglio(q.valore, e)) e = q.valore;
  }
  return e;
}

void cornice_banda(svg& s, const asse_x& ax, const banda& b, const std::string& titolo, double passo) {
  for (double v = std::ceil(b.minimo / passo) * passo; v <= b.massimo; v += passo) {
    s.linea(ax.sinistra, b.Y(v), ax.sinistra + ax.larghezza, b.Y(v), std::string("stroke=\"") + stile::griglia + "\"");
    s.testo(ax.sinistra - 6, b.Y(v) + 4, numero_svg(v), "font-size=\"11\" text-anchor=\"end\" fill=\"#333\"");
  }
  s.rettangolo(ax.sinistra, b.alto, ax.larghezza, b.altezza, "fill=\"none\" stroke=\"#888\"");
  s.testo(ax.sinistra - 46, b.alto + b.altezza / 2, titolo, "font-size=\"12\" text-anchor=\"middle\" fill=\"#333\"",
          -90);
}

void gradini(svg& s, const asse_x& ax, const banda& b, const std::vector<tratto>& t, const char* colore) {
  std::vector<std::pair<double, double>> punti;
  for (const tratto& q : t) {
    if (ax.oltre(q.inizio)) break;
    punti.emplace_back(ax.X(q.inizio), b.Y(q.valore));
    punti.emplace_back(ax.X_fine(q.fine), b.Y(q.valore));
  }
  s.polilinea(punti, std::string("stroke=\"") + colore + "\" stroke-width=\"1.6\"");
}

void pendenze(svg& s, const asse_x& ax, const banda& b, const std::vector<tratto>& t) {
  for (const tratto& q : t) {
    if (ax.oltre(q.inizio) || q.valore == 0) continue;
    double x0 = ax.X(q.inizio);
    double x1 = ax.X_fine(q.fine);
    double y0 = std::min(b.Y(0), b.Y(q.valore)), y1 = std::max(b.Y(0), b.Y(q.valore));
    s.rettangolo(x0, y0, x1 - x0, y1 - y0,
                 std::string("fill=\"") + (q.valore > 0 ? stile::salita : stile::discesa) + "\" fill-opacity=\"0.75\"");
  }
  s.linea(ax.sinistra, b.Y(0), ax.sinistra + ax.larghezza, b.Y(0), "stroke=\"#555\" stroke-width=\"0.8\"");
}

void rallentamenti(svg& s, const asse_x& ax, const banda& velocita, double fondo, const std::vector<tratto>& r) {
  std::vector<double> posti;
  for (const tratto& q : r) {
    double x0 = ax.X(q.inizio);
    double l = std::max(ax.X(q.fine) - x0, 3.0);
    s.rettangolo(x0, velocita.alto, l, fondo - velocita.alto,
                 std::string("fill=\"") + stile::rallentamento + "\" fill-opacity=\"0.35\"");
    s.linea(x0 - 3, velocita.Y(q.valore), x0 + l + 3, velocita.Y(q.valore),
            std::string("stroke=\"") + stile::rallentamento + "\" stroke-width=\"3\"");
    posti.push_back(x0 + l / 2);
  }
  std::vector<double> x = posti;
  distanzia(x, 52, ax.sinistra + 24, ax.sinistra + ax.larghezza - 24);
  for (size_t i = 0; i < r.size(); ++i) {
    s.testo(x[i], velocita.Y(r[i].valore) + 16, std::to_string(r[i].valore) + " km/h",
            "font-size=\"11\" font-weight=\"bold\" text-anchor=\"middle\" fill=\"#a35400\"");
  }
}

// Upright station names over the bands; returns the height of the strip they need.
double altezza_nomi(const dati_disegno& d) {
  double massima = 0;
  for (const stazione_disegno& st : d.stazioni) massima = std::max(massima, larghezza_testo(st.nome, corpo));
  return massima + 18;
}

void stazioni(svg& s, const asse_x& ax, const dati_disegno& d, double base, double fondo,
              etichette_disegnate& disegnate) {
  std::vector<double> x;
  for (const stazione_disegno& st : d.stazioni) x.push_back(ax.X(st.metro));
  std::vector<double> posti = x;
  distanzia(posti, corpo + 3, ax.sinistra, ax.sinistra + ax.larghezza);
  for (size_t i = 0; i < x.size(); ++i) {
    const stazione_disegno& st = d.stazioni[i];
    const char* colore = st.metro > d.lunghezza ? stile::oltre : st.fermata ? "#111" : "#777";
    s.linea(x[i], base, x[i], fondo, "stroke=\"#999\" stroke-width=\"0.8\" stroke-dasharray=\"3 3\"");
    s.linea(x[i], base, posti[i], base - 6, "stroke=\"#999\" stroke-width=\"0.8\"");
    s.testo(posti[i] + 4, base - 8, st.nome, std::string("font-size=\"11\" fill=\"") + colore + "\"", -90);
    double l = larghezza_testo(st.nome, corpo);
    disegnate.riquadri.push_back({posti[i] - 6, base - 8 - l, posti[i] + 6, base - 8});
  }
}

// The row of tunnels and signals: each tunnel a heavy bar with its name over it (the
// names moved apart where tunnels stand close), each signal a short red stroke.
void gallerie_e_segnali(svg& s, const asse_x& ax, const banda& riga, const dati_disegno& d) {
  s.rettangolo(ax.sinistra, riga.alto, ax.larghezza, riga.altezza, "fill=\"none\" stroke=\"#888\"");
  s.testo(ax.sinistra - 6, riga.alto + 16, "tunnels", "font-size=\"11\" text-anchor=\"end\" fill=\"#333\"");
  s.testo(ax.sinistra - 6, riga.basso() - 5, "signals", "font-size=\"11\" text-anchor=\"end\" fill=\"#333\"");
  double barra = riga.alto + 20;
  std::vector<double> centri;
  double larghezza_nomi = 0;
  for (const galleria& g : d.gallerie) {
    double x0 = ax.X(g.inizio), x1 = std::max(ax.X_fine(g.fine), x0 + 2);
    s.rettangolo(x0, barra, x1 - x0, 6, std::string("fill=\"") + stile::galleria + "\"");
    centri.push_back((x0 + x1) / 2);
    larghezza_nomi = std::max(larghezza_nomi, larghezza_testo(g.nome, 10));
  }
  std::vector<double> posti = centri;
  distanzia(posti, larghezza_nomi + 6, ax.sinistra + larghezza_nomi / 2, ax.sinistra + ax.larghezza);
  for (size_t i = 0; i < posti.size(); ++i) {
    if (std::fabs(posti[i] - centri[i]) > 4) {
      s.linea(centri[i], barra, posti[i], barra - 3, "stroke=\"#999\" stroke-width=\"0.8\"");
    }
    s.testo(posti[i], barra - 4, d.gallerie[i].nome, "font-size=\"10\" text-anchor=\"middle\" fill=\"#222\"");
  }
  for (int64_t m : d.segnali) {
    const char* colore = m > d.lunghezza ? stile::oltre : stile::segnale;
    s.linea(ax.X(m), riga.basso() - 12, ax.X(m), riga.basso() - 2,
            std::string("stroke=\"") + colore + "\" stroke-width=\"1.2\"");
  }
}

// The part of the axis past the route's end, shaded over every band.
void oltre_la_fine_ombra(svg& s, const asse_x& ax, const dati_disegno& d, double alto, double basso) {
  if (d.fine <= d.lunghezza) return;
  double x0 = ax.X(d.lunghezza);
  s.rettangolo(x0, alto, ax.X(d.fine) - x0, basso - alto,
               std::string("fill=\"") + stile::oltre + "\" fill-opacity=\"0.08\"");
  s.linea(x0, alto, x0, basso, std::string("stroke=\"") + stile::oltre + "\" stroke-width=\"1.2\"");
}

void asse_km(svg& s, const asse_x& ax, double y) {
  double passo = passo_tacche(ax.metri / 1000, 25) * 1000;
  for (double m = 0; m <= ax.metri; m += passo) {
    s.linea(ax.X(m), y, ax.X(m), y + 5, "stroke=\"#555\"");
    s.testo(ax.X(m), y + 17, numero_svg(m / 1000), "font-size=\"11\" text-anchor=\"middle\" fill=\"#333\"");
  }
  s.testo(ax.sinistra + ax.larghezza / 2, y + 34, "km from the route's origin",
          "font-size=\"12\" text-anchor=\"middle\" fill=\"#333\"");
}

// One line under the axis that names what stands past the route's end; returns its height.
double nota_oltre(svg& s, const asse_x& ax, const dati_disegno& d, double y) {
  std::vector<std::string> oltre = oltre_la_fine(d);
  if (oltre.empty()) return 0;
  std::string testo = "Past the route's end at " + numero_svg(static_cast<double>(d.lunghezza) / 1000) + " km: ";
  for (size_t i = 0; i < oltre.size(); ++i) {
    if (i == 6) {
      testo += ", and " + std::to_string(oltre.size() - 6) + " more";
      break;
    }
    testo += (i == 0 ? "" : ", ") + oltre[i];
  }
  s.testo(ax.sinistra, y + 14, testo,
          std::string("font-size=\"12\" font-weight=\"bold\" fill=\"") + stile::oltre + "\"");
  return 22;
}

}  // namespace

double disegna_profilo(svg& s, const dati_disegno& d, double x, double y, double larghezza,
                       etichette_disegnate& etichette) {
  asse_x ax{x + margine_sinistro, larghezza - margine_sinistro - margine_destro,
            static_cast<double>(std::max<int64_t>(d.fine, 1))};
  double base = y + altezza_nomi(d);

  int v_max = estremo(d.velocita, std::greater<int>(), 0);
  banda velocita{base, 170, 0, std::ceil((v_max + 10) / 50.0) * 50};
  int g_max = std::max(estremo(d.pendenze, std::greater<int>(), 0), -estremo(d.pendenze, std::less<int>(), 0));
  double g = std::ceil((g_max + 1) / 5.0) * 5;
  banda pendenza{velocita.basso() + spazio, 130, -g, g};
  int a_min = estremo(d.aderenze, std::less<int>(), 255), a_max = estremo(d.aderenze, std::greater<int>(), 0);
  banda aderenza{pendenza.basso() + spazio, 90, std::floor((a_min - 5) / 10.0) * 10,
                 std::ceil((a_max + 5) / 10.0) * 10};

  banda riga{aderenza.basso() + 10, 44, 0, 1};

  cornice_banda(s, ax, velocita, "speed limit, km/h", passo_tacche(velocita.massimo, 6));
  cornice_banda(s, ax, pendenza, "gradient, \u2030", passo_tacche(2 * g, 6));
  cornice_banda(s, ax, aderenza, "adhesion", passo_tacche(aderenza.massimo - aderenza.minimo, 4));
  oltre_la_fine_ombra(s, ax, d, velocita.alto, riga.basso());
  rallentamenti(s, ax, velocita, aderenza.basso(), d.rallentamenti);
  gradini(s, ax, velocita, d.velocita, stile::velocita);
  pendenze(s, ax, pendenza, d.pendenze);
  gradini(s, ax, aderenza, d.aderenze, stile::aderenza);
  gallerie_e_segnali(s, ax, riga, d);
  stazioni(s, ax, d, base, riga.basso(), etichette);
  asse_km(s, ax, riga.basso());
  return riga.basso() + 44 + nota_oltre(s, ax, d, riga.basso() + 40) - y;
}
