// memo_rallentamento: lays one slowdown on the grid.
//
// The slowdown starts at x and ends at x + l; a slowdown starting beyond 1500 m also
// has a warning board 1200 m before its start and, when asked, four approach cells
// just before the board (4 furthest from it). Start, end and warning cells must be
// free before anything is written; the approach cells are checked after those three
// are laid.
#include "loader/caricatore.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

std::optional<rifiuto> caricatore::memo_rallentamento(int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta,
                                                     int32_t d_v) {
  int64_t inizio = cella_di(x);
  int64_t fine = cella_di(static_cast<int64_t>(x) + l);
  int64_t avviso = cella_di(static_cast<int64_t>(x) - 1200);
  int64_t prima_avviso = cella_della_posizione(static_cast<int64_t>(x) - 1200);
  bool con_avviso = x > 1500;
  if (con_avviso) {
    if (!cella_libera(cella_griglia(avviso))) {
      return rifiuto{17, avviso};
    }
  } else {
    f_ta = 0;
  }
  if (!cella_libera(cella_griglia(inizio))) {
    return rifiuto{18, inizio};
  }
  if (!cella_libera(cella_griglia(fine))) {
    return rifiuto{19, fine};
  }
  avvisa_troncato(v, 16, "the slowdown speed");
  avvisa_troncato(f_tt, 16, "the slowdown's third value");
  avvisa_troncato(d_v, 16, "the slowdown's last value");
  annota_origine(fine);
  annota_origine(inizio);
  if (con_avviso) annota_origine(avviso);
  cella_griglia(fine).tipo = cella_fine_rallentamento;
  if (d_v != 0) cella_griglia(fine).dato2 = basso16(d_v);
  cella_griglia(inizio).tipo = cella_inizio_rallentamento;
  if (d_v != 0) cella_griglia(inizio).dato2 = basso16(d_v);
  if (con_avviso) {
    cella& w = cella_griglia(avviso);
    w.tipo = cella_avviso_rallentamento;
    if (d_v != 0) w.dato2 = basso16(d_v);
    w.dato1 = basso16(v);
  }
  cella_griglia(inizio).dato1 = basso16(v);
  cella_griglia(fine).dato1 = basso16(v);
  cella_griglia(inizio).dato3 = basso16(f_tt);
  cella_griglia(fine).dato3 = basso16(f_tt);
  if (f_ta == 0) return std::nullopt;
  for (int64_t i = 0; i < 4; ++i) {
    if (!cella_libera(cella_griglia(prima_avviso - i))) {
      return rifiuto{20, prima_avviso - i};
    }
  }
  for (int64_t i = 0; i < 4; ++i) {
    cella& a = cella_griglia(prima_avviso - i);
    annota_origine(prima_avviso - i);
    a.tipo = cella_approccio_rallentamento;
    a.dato1 = static_cast<int16_t>(i + 1);
    if (d_v != 0) a.dato2 = static_cast<int16_t>(i + 1);
  }
  return std::nullopt;
}
