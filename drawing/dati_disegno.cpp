// From the compiled files to what is drawn. Plan and profile run to the route length of
// entry 84 (within the grid), leaving out the grid's 7000 m beyond the end unless a
// station, signal or slowdown stands there; a point object stands in the cell after the
// one that holds its position, so a signal in cell k is drawn at (k - 1) · 50 m.
#include "drawing/dati_disegno.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "model/chilometri.h"
#include "model/descrizioni.h"
#include "model/testo_unicode.h"
#include "model/tracciato.h"

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

// The stations that stand in the grid, in table order.
std::vector<stazione_disegno> stazioni(const tabella_generale& tabella, const std::vector<cella>& griglia,
                                       int64_t in_griglia) {
  std::vector<stazione_disegno> s;
  for (int i = 1; i <= primo_cartello; ++i) {
    const voce& v = tabella[static_cast<size_t>(i)];
    if (ruolo_di(i, tabella) != ruolo_voce::stazione || v.valore_c < 0 || v.valore_c >= in_griglia) continue;
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

// The name a signboard gives a tunnel: the built-in boards read
// "(GALLERIA)(MIRELO  )(M. 2200 )", whose second part is the name; any other text is
// taken whole.
std::string nome_da_cartello(const std::string& testo) {
  std::vector<std::string> parti;
  for (size_t a = testo.find('('); a != std::string::npos; a = testo.find('(', a + 1)) {
    size_t b = testo.find(')', a);
    if (b == std::string::npos) break;
    parti.push_back(testo.substr(a + 1, b - a - 1));
  }
  std::string nome = parti.size() >= 2 ? parti[1] : testo;
  size_t primo = nome.find_first_not_of(' '), ultimo = nome.find_last_not_of(' ');
  return primo == std::string::npos ? "" : in_utf8(nome.substr(primo, ultimo - primo + 1));
}

// Tunnel stretches, each named by the nearest signboard that stands up to 500 m before
// its start (the built-in boards stand 50 m before it).
std::vector<galleria> gallerie(const tabella_generale& tabella, const std::vector<cella>& griglia, size_t celle) {
  std::vector<galleria> g;
  for (const tratto& t : tratti(griglia, celle, [](const cella& c) { return int{c.montagna}; })) {
    if (t.valore != 0) g.push_back({t.inizio, t.fine, t.valore, ""});
  }
  for (size_t k = 0; k < griglia.size(); ++k) {
    const cella& c = griglia[k];
    if (c.tipo != cella_cartello || c.dato1 < 1 || c.dato1 > primo_cartello) continue;
    int64_t m = metro_oggetto(k);
    for (galleria& q : g) {
      if (m >= q.inizio - 500 && m <= q.inizio) q.nome = nome_da_cartello(tabella[static_cast<size_t>(c.dato1)].testo);
    }
  }
  return g;
}

std::string km(int64_t metri) { return in_chilometri(metri, forma_km::un_decimale) + " km"; }

}  // namespace

std::vector<std::string> oltre_la_fine(const dati_disegno& d) {
  std::vector<std::string> oltre;
  for (const stazione_disegno& st : d.stazioni) {
    if (st.metro > d.lunghezza) oltre.push_back("station " + st.nome + " at " + km(st.metro));
  }
  for (int64_t m : d.segnali) {
    if (m > d.lunghezza) oltre.push_back("signal at " + km(m));
  }
  for (const tratto& r : d.rallentamenti) {
    if (r.fine > d.lunghezza) oltre.push_back("slowdown to " + km(r.fine));
  }
  return oltre;
}

dati_disegno estrai_disegno(const std::optional<piano_decodificato>& piano, const tabella_generale& tabella,
                            const std::vector<cella>& griglia) {
  dati_disegno d;
  auto in_griglia = static_cast<int64_t>(griglia.size()) * metri_cella;
  int64_t lunghezza = tabella[voce_dati_treno].valore_b;
  d.lunghezza = lunghezza > 0 && lunghezza < in_griglia ? lunghezza : in_griglia;
  d.stazioni = stazioni(tabella, griglia, in_griglia);
  for (size_t k = 0; k < griglia.size(); ++k) {
    if (griglia[k].tipo == cella_segnale) d.segnali.push_back(metro_oggetto(k));
  }
  d.rallentamenti = rallentamenti(griglia);
  // Past the route's end, as far as the last thing that stands there and 500 m more.
  int64_t ultimo = d.lunghezza;
  for (const stazione_disegno& st : d.stazioni) ultimo = std::max(ultimo, st.metro);
  for (int64_t m : d.segnali) ultimo = std::max(ultimo, m);
  for (const tratto& r : d.rallentamenti) ultimo = std::max(ultimo, r.fine);
  d.fine = ultimo > d.lunghezza ? std::min(ultimo + 500, in_griglia) : d.lunghezza;
  auto celle = static_cast<size_t>((d.lunghezza + metri_cella - 1) / metri_cella);
  if (piano) d.piano = punti_piano(*piano, d.fine);
  d.gallerie = gallerie(tabella, griglia, celle);
  d.pendenze = tratti(griglia, celle, pendenza_per_mille);
  d.velocita = tratti(griglia, celle, velocita_kmh);
  d.aderenze = tratti(griglia, celle, [](const cella& c) { return int{c.aderenza}; });
  return d;
}
