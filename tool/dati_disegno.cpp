// From the compiled files to what is drawn. Plan and profile run to the route length of
// entry 84 (within the grid), leaving out the grid's 7000 m beyond the end; a point object stands in the cell after the
// one that holds its position, so a signal in cell k is drawn at (k - 1) · 50 m.
#include "tool/dati_disegno.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "model/tracciato.h"
#include "tool/descrizioni.h"
#include "tool/testo_unicode.h"

namespace {

constexpr int64_t metri_cella = 50;
// Plan coordinates beyond this many metres from the origin cannot belong to a route
// (the longest has 1000000 m) and are left out of the picture, as are those that are
// not numbers at all.
constexpr double coordinata_massima = 1e12;

bool disegnabile(const elemento_piano& e) {
  return e.tipo != variante_vuota && std::isfinite(e.valore) && std::fabs(e.valore) <= coordinata_massima;
}

int64_t metro_oggetto(size_t k) { return (static_cast<int64_t>(k) - 1) * metri_cella; }

// Consecutive cells with the same value become one stretch.
std::vector<tratto> tratti(const std::vector<cella>& griglia, size_t celle,
                           const std::function<int(const cella&)>& valore) {
  std::vector<tratto> t;
  for (size_t k = 0; k < celle; ++k) {
    int v = valore(griglia[k]);
    auto inizio = static_cast<int64_t>(k) * metri_cella;
    if (!t.empty() && t.back().valore == v) {
      t.back().fine = inizio + metri_cella;
    } else {
      t.push_back({inizio, inizio + metri_cella, v});
    }
  }
  return t;
}

std::vector<punto_piano> punti_piano(const piano_decodificato& p, int64_t lunghezza) {
  std::vector<punto_piano> punti;
  auto ultimo = std::min(p.x.size(), static_cast<size_t>(lunghezza) + 1);
  for (size_t m = 0; m < ultimo; m += metri_cella) {
    if (!disegnabile(p.x[m]) || !disegnabile(p.y[m])) continue;
    punti.push_back({static_cast<int64_t>(m), p.x[m].valore, p.y[m].valore});
  }
  return punti;
}

// The stations that stand on the route, in table order.
std::vector<stazione_disegno> stazioni(const tabella_generale& tabella, const std::vector<cella>& griglia,
                                       int64_t lunghezza) {
  std::vector<stazione_disegno> s;
  for (int i = 1; i <= primo_cartello; ++i) {
    const voce& v = tabella[static_cast<size_t>(i)];
    if (ruolo_di(i, tabella) != ruolo_voce::stazione || v.valore_c < 0 || v.valore_c > lunghezza) continue;
    bool fermata = std::any_of(griglia.begin(), griglia.end(),
                               [i](const cella& c) { return c.tipo == cella_fermata && c.dato1 == i; });
    s.push_back({in_utf8(v.testo), v.valore_c, fermata});
  }
  return s;
}

// A slowdown runs from its start cell to the first end cell after it.
std::vector<tratto> rallentamenti(const std::vector<cella>& griglia) {
  std::vector<tratto> r;
  for (size_t k = 0; k < griglia.size(); ++k) {
    if (griglia[k].tipo != cella_inizio_rallentamento) continue;
    size_t e = k + 1;
    while (e < griglia.size() && griglia[e].tipo != cella_fine_rallentamento) ++e;
    if (e == griglia.size()) e = k;
    r.push_back({metro_oggetto(k), metro_oggetto(e), griglia[k].dato1});
  }
  return r;
}

}  // namespace

dati_disegno estrai_disegno(const std::optional<piano_decodificato>& piano, const tabella_generale& tabella,
                            const std::vector<cella>& griglia) {
  dati_disegno d;
  auto in_griglia = static_cast<int64_t>(griglia.size()) * metri_cella;
  int64_t lunghezza = tabella[voce_dati_treno].valore_b;
  d.lunghezza = lunghezza > 0 && lunghezza < in_griglia ? lunghezza : in_griglia;
  auto celle = static_cast<size_t>((d.lunghezza + metri_cella - 1) / metri_cella);
  if (piano) d.piano = punti_piano(*piano, d.lunghezza);
  d.stazioni = stazioni(tabella, griglia, d.lunghezza);
  for (size_t k = 0; k < griglia.size(); ++k) {
    if (griglia[k].tipo == cella_segnale) d.segnali.push_back(metro_oggetto(k));
  }
  for (const tratto& t : tratti(griglia, celle, [](const cella& c) { return int{c.montagna}; })) {
    if (t.valore != 0) d.gallerie.push_back(t);
  }
  d.rallentamenti = rallentamenti(griglia);
  d.pendenze = tratti(griglia, celle, pendenza_per_mille);
  d.velocita = tratti(griglia, celle, velocita_kmh);
  d.aderenze = tratti(griglia, celle, [](const cella& c) { return int{c.aderenza}; });
  return d;
}
