// Curves and the plan of the route: the straight run up to each curve's start, then the
// curve itself, one metre at a time, never past the plan's last metre.
#include <algorithm>
#include <array>

#include "loader/caricatore.h"
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/regole_griglia.h"
#include "loader/parole_chiave.h"

namespace {

// Turning factor per metre of the classes 1 to 6.
constexpr std::array<double, 7> curvature = {0.0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

void controlla_metro(const tracciato_piano& t, int64_t m) {
  if (m > t.ultimo_metro) {
    throw guasto_caricamento(t.esiste() ? "the plan runs past its last metre " + std::to_string(t.ultimo_metro)
                                        : "no plan yet: the route length has not been read");
  }
}

}  // namespace

esito_record caricatore::record_curva(stato_caricamento& s) {
  int32_t inizio = s.lettore.leggi_lungo();
  luogo_sorgente campo_inizio = campo_letto_ora(s);
  int32_t lunghezza = s.lettore.leggi_lungo();
  if (!sta_in_griglia(inizio, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, inizio);
  int classe = classe_curva(chiave_);
  if (classe == 0) {
    return ferma(103, std::nullopt, {{d_.record(), "the curve key holds none of the digits 1 to 6"}});
  }
  const int64_t fine = static_cast<int64_t>(inizio) + lunghezza;
  if (fine < std::max<int64_t>(inizio, s.metro_tracciato) || lunghezza <= 0) {
    d_.avviso("empty-curve", "the curve from " + std::to_string(inizio) + " m, " + std::to_string(lunghezza) +
                              " m long, turns no metre of the plan");
  } else if (s.luogo_curva.riga > 0 && inizio < s.metro_tracciato - 1) {
    // The plan is laid in the order read: this curve turns from the previous one's end.
    const std::string p = std::to_string(inizio), e = std::to_string(s.metro_tracciato - 1);
    d_.avviso("curve-order", "curve at " + p + " m begins before the curve read before it ends, at " + e + " m",
           campo_inizio,
           {{s.luogo_curva, "the curve before it ends at " + e + " m: the one at " + p + " m turns the plan from " +
                                e + " to " + std::to_string(fine) + " m only, not from " + p + " m"}});
  }
  s.luogo_curva = d_.record();
  double curvatura = curvature[static_cast<size_t>(classe)];
  if (curva_sinistra(chiave_)) curvatura = -curvatura;
  if (!posa_rettilineo(inizio, true, s)) return esito_record::fermo;
  if (!posa_metri(s, fine, true, curvatura, true)) return esito_record::fermo;
  return esito_record::avanti;
}

// Straight metres up to and including `fino_a`. Within the body the plan may not pass
// metre 1000000 (code 103); the straight tail after the body has no such limit.
bool caricatore::posa_rettilineo(int64_t fino_a, bool limite_piano, stato_caricamento& s) {
  return posa_metri(s, fino_a, false, 0.0, limite_piano);
}

// The metres from metro_tracciato to `fino_a` are laid one after the other. A metre past
// the plan's last one fails the load before it is laid; within the body, laying metre
// 1000000 stops the load with 103 once it is laid. Laying a metre only extends the run:
// its coordinates are worked out when the plan is written.
bool caricatore::posa_metri(stato_caricamento& s, int64_t fino_a, bool curva, double curvatura, bool limite_piano) {
  int64_t& m = s.metro_tracciato;
  if (m > fino_a) return true;
  const int64_t limite = std::max(metro_massimo_piano, m);  // the first metre that, once laid, stops the load
  const bool fermato = limite_piano && fino_a >= limite && scenario_.tracciato.ultimo_metro >= limite;
  const int64_t ultimo = fermato ? limite : std::min(fino_a, scenario_.tracciato.ultimo_metro);
  if (ultimo >= m) {
    scenario_.tracciato.posa_fino(ultimo, curva, curvatura);
    m = ultimo + 1;
  }
  if (fermato) {
    d_.codice(103, std::nullopt,
                    {{d_.record(), "the plan has reached metre " + std::to_string(metro_massimo_piano)}});
    return false;
  }
  if (fino_a >= m) controlla_metro(scenario_.tracciato, m);
  return true;
}
