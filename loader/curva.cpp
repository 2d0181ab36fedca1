// Curves and the plan of the route.
//
// The plan is laid one metre at a time from two seeds (metre 0 at the origin, metre 1
// one metre along +y). A straight metre repeats the last step; a curve metre turns the
// last step by the curve's turning factor, towards +x for a right-hand curve, without
// renormalising it. Every operation is made in double, in the order written.
#include <array>

#include "driver/form1.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"
#include "sources/parole_chiave.h"

namespace {

constexpr int64_t metro_massimo = 1000000;

// Turning factor per metre of the classes 1 to 6.
constexpr std::array<double, 7> curvature = {0.0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

void controlla_metro(const tracciato_piano& t, int64_t m) {
  if (m > t.ultimo_metro()) {
    throw guasto_caricamento(t.esiste() ? "the plan runs past its last metre " + std::to_string(t.ultimo_metro())
                                        : "no plan yet: the route length has not been read");
  }
}

}  // namespace

esito_record Form1::record_curva(stato_caricamento& s) {
  int32_t inizio = s.lettore.leggi_lungo();
  int32_t lunghezza = s.lettore.leggi_lungo();
  if (!sta_in_griglia(inizio, n_celle)) return fuori_griglia(inizio);
  int classe = classe_curva(riga);
  if (classe == 0) {
    ferma_linea(s, 103);
    return esito_record::fermo;
  }
  double curvatura = curvature[static_cast<size_t>(classe)];
  if (curva_sinistra(riga)) curvatura = -curvatura;
  if (!posa_rettilineo(s, inizio, true)) return esito_record::fermo;
  if (!posa_curva(s, static_cast<int64_t>(inizio) + lunghezza, curvatura)) return esito_record::fermo;
  return esito_record::avanti;
}

// Straight metres up to and including `fino_a`. Within the body the plan may not pass
// metre 1000000 (code 103); the straight tail after the body has no such limit.
bool Form1::posa_rettilineo(stato_caricamento& s, int64_t fino_a, bool limite_piano) {
  tracciato_piano& t = tracciato;
  for (int64_t& m = s.metro_tracciato; m <= fino_a;) {
    controlla_metro(t, m);
    auto i = static_cast<size_t>(m);
    double dx = t.x[i - 1] - t.x[i - 2];
    double dy = t.y[i - 1] - t.y[i - 2];
    t.x[i] = t.x[i - 1] + dx;
    t.y[i] = t.y[i - 1] + dy;
    t.metri_posati = m + 1;
    ++m;
    if (limite_piano && m > metro_massimo) {
      ferma_linea(s, 103);
      return false;
    }
  }
  return true;
}

bool Form1::posa_curva(stato_caricamento& s, int64_t fino_a, double curvatura) {
  tracciato_piano& t = tracciato;
  for (int64_t& m = s.metro_tracciato; m <= fino_a;) {
    controlla_metro(t, m);
    auto i = static_cast<size_t>(m);
    double dx = t.x[i - 1] - t.x[i - 2];
    double dy = t.y[i - 1] - t.y[i - 2];
    t.x[i] = t.x[i - 1] + (dx + curvatura * dy);
    t.y[i] = t.y[i - 1] + (dy - curvatura * dx);
    t.metri_posati = m + 1;
    ++m;
    if (m > metro_massimo) {
      ferma_linea(s, 103);
      return false;
    }
  }
  return true;
}
