// memo_rallentamento: lays one slowdown on the grid.
//
// The slowdown starts at x and ends at x + l; a slowdown starting beyond 1500 m also
// has a warning board 1200 m before its start and, when asked, four approach cells
// just before the board (4 furthest from it). Start, end and warning cells must be
// free before anything is written; the approach cells are checked after those three
// are laid.
#include "loader/diagnosi.h"
#include "loader/memo.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

namespace {

// The four approach cells before the warning board, the one nearest the board first;
// each must be free before any is laid.
std::optional<rifiuto> posa_approccio(esito_caricamento& e, diagnosi& d, int64_t prima_avviso, int32_t d_v) {
  for (int64_t i = 0; i < 4; ++i) {
    if (!cella_libera(cella_griglia(e.scenario, prima_avviso - i))) return rifiuto{20, prima_avviso - i};
  }
  for (int64_t i = 0; i < 4; ++i) {
    cella& a = cella_griglia(e.scenario, prima_avviso - i);
    e.origine_celle[prima_avviso - i] = d.record();
    a.tipo = cella_approccio_rallentamento;
    a.dato1 = static_cast<int16_t>(i + 1);
    if (d_v != 0) a.dato2 = static_cast<int16_t>(i + 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<rifiuto> memo_rallentamento(esito_caricamento& e, diagnosi& d, valori_rallentamento v) {
  scenario_compilato& sc = e.scenario;
  int64_t inizio = cella_di(v.x);
  int64_t fine = cella_di(static_cast<int64_t>(v.x) + v.l);
  int64_t avviso = cella_di(static_cast<int64_t>(v.x) - 1200);
  int64_t prima_avviso = cella_della_posizione(static_cast<int64_t>(v.x) - 1200);
  bool con_avviso = v.x > 1500;
  if (con_avviso) {
    if (!cella_libera(cella_griglia(sc, avviso))) return rifiuto{17, avviso};
  } else {
    v.f_ta = 0;
  }
  if (!cella_libera(cella_griglia(sc, inizio))) return rifiuto{18, inizio};
  if (!cella_libera(cella_griglia(sc, fine))) return rifiuto{19, fine};
  d.troncato(v.v, 16, "the slowdown speed");
  d.troncato(v.f_tt, 16, "the slowdown's third value");
  d.troncato(v.d_v, 16, "the slowdown's last value");
  e.origine_celle[fine] = d.record();
  e.origine_celle[inizio] = d.record();
  if (con_avviso) e.origine_celle[avviso] = d.record();
  cella_griglia(sc, fine).tipo = cella_fine_rallentamento;
  if (v.d_v != 0) cella_griglia(sc, fine).dato2 = basso16(v.d_v);
  cella_griglia(sc, inizio).tipo = cella_inizio_rallentamento;
  if (v.d_v != 0) cella_griglia(sc, inizio).dato2 = basso16(v.d_v);
  if (con_avviso) {
    cella& w = cella_griglia(sc, avviso);
    w.tipo = cella_avviso_rallentamento;
    if (v.d_v != 0) w.dato2 = basso16(v.d_v);
    w.dato1 = basso16(v.v);
  }
  cella_griglia(sc, inizio).dato1 = basso16(v.v);
  cella_griglia(sc, fine).dato1 = basso16(v.v);
  cella_griglia(sc, inizio).dato3 = basso16(v.f_tt);
  cella_griglia(sc, fine).dato3 = basso16(v.f_tt);
  if (v.f_ta == 0) return std::nullopt;
  return posa_approccio(e, d, prima_avviso, v.d_v);
}
