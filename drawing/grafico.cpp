// The whole picture: title, plan, profile and legend, one under the other.
#include "drawing/grafico.h"

#include <algorithm>
#include <cmath>

#include "drawing/misure.h"

namespace {

constexpr double larghezza_grafico = 1600;
constexpr double altezza_piano = 460;

enum class simbolo {
  linea,
  galleria,
  segnale,
  fermata,
  transito,
  velocita,
  rallentamento,
  salita,
  discesa,
  aderenza,
  oltre
};

std::string tratto_colore(const char* colore, double spessore) {
  return std::string("stroke=\"") + colore + "\" stroke-width=\"" + numero_svg(spessore) + "\"";
}

std::string riempito(const char* colore) { return std::string("fill=\"") + colore + "\""; }

void disegna_simbolo(svg& s, double x, double y, simbolo q) {
  switch (q) {
    case simbolo::linea: s.linea(x, y, x + 22, y, tratto_colore(stile::linea, 2)); break;
    case simbolo::galleria: s.linea(x, y, x + 22, y, tratto_colore(stile::galleria, 6)); break;
    case simbolo::segnale:  // a dot on the plan, a stroke in the profile's row
      s.cerchio(x + 6, y, 2.5, riempito(stile::segnale));
      s.linea(x + 15, y - 5, x + 15, y + 5, tratto_colore(stile::segnale, 1.2));
      break;
    case simbolo::fermata: s.cerchio(x + 11, y, 4.5, "fill=\"white\" stroke=\"#111\" stroke-width=\"1.6\""); break;
    case simbolo::transito: s.cerchio(x + 11, y, 3, "fill=\"#bbb\" stroke=\"#777\""); break;
    case simbolo::velocita: s.linea(x, y, x + 22, y, tratto_colore(stile::velocita, 2)); break;
    case simbolo::rallentamento:
      s.rettangolo(x + 6, y - 7, 10, 14, riempito(stile::rallentamento) + " fill-opacity=\"0.5\"");
      break;
    case simbolo::salita: s.rettangolo(x, y - 6, 22, 12, riempito(stile::salita)); break;
    case simbolo::discesa: s.rettangolo(x, y - 6, 22, 12, riempito(stile::discesa)); break;
    case simbolo::aderenza: s.linea(x, y, x + 22, y, tratto_colore(stile::aderenza, 2)); break;
    case simbolo::oltre:
      s.cerchio(x + 11, y, 6, std::string("fill=\"none\" ") + tratto_colore(stile::oltre, 1.5));
      break;
  }
}

// The legend: what the picture holds, and nothing it does not, in lines that fit the
// width from (x, y); returns the height it took.
double legenda(svg& s, const dati_disegno& d, double x, double y, double larghezza) {
  auto con_fermata = [](const stazione_disegno& st) { return st.fermata; };
  auto pendenza_di = [&d](bool salita) {
    return std::any_of(d.pendenze.begin(), d.pendenze.end(),
                       [salita](const tratto& t) { return salita ? t.valore > 0 : t.valore < 0; });
  };
  const std::pair<bool, std::pair<simbolo, const char*>> voci[] = {
      {!d.piano.empty(), {simbolo::linea, "route"}},
      {!d.gallerie.empty(), {simbolo::galleria, "tunnel"}},
      {!d.segnali.empty(), {simbolo::segnale, "signal"}},
      // The profile names the stations; the plan also marks them.
      {!d.piano.empty() && std::any_of(d.stazioni.begin(), d.stazioni.end(), con_fermata),
       {simbolo::fermata, "station, stop"}},
      {!d.piano.empty() && !std::all_of(d.stazioni.begin(), d.stazioni.end(), con_fermata),
       {simbolo::transito, "station, no stop"}},
      {true, {simbolo::velocita, "speed limit"}},
      {!d.rallentamenti.empty(), {simbolo::rallentamento, "slowdown"}},
      {pendenza_di(true), {simbolo::salita, "gradient up"}},
      {pendenza_di(false), {simbolo::discesa, "gradient down"}},
      {true, {simbolo::aderenza, "adhesion"}},
      {!oltre_la_fine(d).empty(), {simbolo::oltre, "past the route's end"}},
  };
  double inizio = x, alto = y;
  for (const auto& [disegnato, voce] : voci) {
    if (!disegnato) continue;
    double passo = 28 + larghezza_testo(voce.second, 12) * 0.85 + 22;
    if (x > inizio && x + passo > inizio + larghezza) {
      x = inizio;
      y += 22;
    }
    disegna_simbolo(s, x, y, voce.first);
    s.testo(x + 28, y + 4, voce.second, "font-size=\"12\" fill=\"#222\"");
    x += passo;
  }
  return y - alto + 22;
}

}  // namespace

std::string grafico_svg(const dati_disegno& d, const std::string& titolo) {
  etichette_disegnate etichette;
  svg s(larghezza_grafico, 0);
  s.testo(larghezza_grafico / 2, 30, titolo, "font-size=\"18\" font-weight=\"bold\" text-anchor=\"middle\"");
  double y = 48;
  y += disegna_piano(s, d, 20, y, larghezza_grafico - 40, altezza_piano, etichette) + 10;
  y += disegna_profilo(s, d, 20, y, larghezza_grafico - 40, etichette);
  y += legenda(s, d, 84, y + 20, larghezza_grafico - 104);
  s.imposta_altezza(y + 20);
  return s.documento();
}
