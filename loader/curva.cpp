// Curves and the plan of the route: the straight run up to each curve's start, then the
// curve itself, one metre at a time, never past the plan's last metre.
#include "loader/curva.h"

#include <algorithm>
#include <array>

#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/parole_chiave.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/regole_griglia.h"

namespace {

// Turning factor per metre of the classes 1 to 6.
constexpr std::array<double, 7> curvature = {0.0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

void controlla_metro(const tracciato_piano& t, int64_t m) {
  if (m > t.ultimo_metro) {
    throw guasto_caricamento(t.esiste() ? "the plan runs past its last metre " + std::to_string(t.ultimo_metro)
                                        : "no plan yet: the route length has not been read");
  }
}

// The metres from s.metro to `fino_a` are laid one after the other. A metre past the
// plan's last one fails the load before it is laid; within the body, laying metre
// 1000000 stops the load with 103 once it is laid. Laying a metre only extends the run:
// its coordinates are worked out when the plan is written.
bool posa_metri(stato_piano& s, scenario_compilato& sc, diagnosi& d, int64_t fino_a, bool curva, double curvatura,
                bool limite_piano) {
  int64_t& m = s.metro;
  if (m > fino_a) return true;
  const int64_t limite = std::max(metro_massimo_piano, m);  // the first metre that, once laid, stops the load
  const bool fermato = limite_piano && fino_a >= limite && sc.tracciato.ultimo_metro >= limite;
  const int64_t ultimo = fermato ? limite : std::min(fino_a, sc.tracciato.ultimo_metro);
  if (ultimo >= m) {
    sc.tracciato.posa_fino(ultimo, curva, curvatura);
    m = ultimo + 1;
  }
  if (fermato) {
    d.codice(103, std::nullopt, {{d.record(), "the plan has reached metre " + std::to_string(metro_massimo_piano)}});
    return false;
  }
  if (fino_a >= m) controlla_metro(sc.tracciato, m);
  return true;
}

}  // namespace

curva_letta leggi_curva(lettore_campi& l, const std::string& chiave) {
  curva_letta r;
  r.inizio = leggi_numero(l);
  r.lunghezza = l.leggi_lungo();
  r.classe = classe_curva(chiave);
  r.sinistra = curva_sinistra(chiave);
  return r;
}

esito_record posa_curva(const curva_letta& r, stato_piano& s, scenario_compilato& sc, diagnosi& d,
                        const luogo_sorgente& lunghezza) {
  const int32_t inizio = r.inizio.valore;
  if (!sta_in_griglia(inizio, sc.n_celle)) return fuori_griglia(sc, lunghezza, d, inizio);
  if (r.classe == 0) {
    d.codice(103, std::nullopt, {{d.record(), "the curve key holds none of the digits 1 to 6"}});
    return esito_record::fermo;
  }
  const int64_t fine = static_cast<int64_t>(inizio) + r.lunghezza;
  if (fine < std::max<int64_t>(inizio, s.metro) || r.lunghezza <= 0) {
    d.avviso("empty-curve", "the curve from " + std::to_string(inizio) + " m, " + std::to_string(r.lunghezza) +
                                " m long, turns no metre of the plan");
  } else if (s.luogo_curva.riga > 0 && inizio < s.metro - 1) {
    // The plan is laid in the order read: this curve turns from the previous one's end.
    const std::string p = std::to_string(inizio), e = std::to_string(s.metro - 1);
    d.avviso("curve-order", "curve at " + p + " m begins before the curve read before it ends, at " + e + " m",
             d.nel_file(r.inizio.campo),
             {{s.luogo_curva, "the curve before it ends at " + e + " m: the one at " + p +
                                  " m turns the plan from " + e + " to " + std::to_string(fine) + " m only, not from " +
                                  p + " m"}});
  }
  s.luogo_curva = d.record();
  double curvatura = curvature[static_cast<size_t>(r.classe)];
  if (r.sinistra) curvatura = -curvatura;
  if (!posa_rettilineo(s, sc, d, inizio, true)) return esito_record::fermo;
  if (!posa_metri(s, sc, d, fine, true, curvatura, true)) return esito_record::fermo;
  return esito_record::avanti;
}

bool posa_rettilineo(stato_piano& s, scenario_compilato& sc, diagnosi& d, int64_t fino_a, bool limite_piano) {
  return posa_metri(s, sc, d, fino_a, false, 0.0, limite_piano);
}
