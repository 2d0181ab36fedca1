// memo_indicatori_v_max: places one speed-indicator board on the grid.
//
// Each of the three speeds A, B, C is packed as left-hand speed · 20 + right-hand
// speed / 5 (so 140 on the left and nothing on the right is 2800); the stripes of both
// sides go into the fourth value. The board needs a free cell.
#include "loader/diagnosi.h"
#include "loader/memo.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

namespace {

int16_t velocita_cartello(int32_t sinistra, int32_t destra) {
  double valore = destra / 5.0 + sinistra * 20.0;
  return intero_o_guasto(arrotonda(valore), "a speed-indicator value");
}

}  // namespace

std::optional<rifiuto> memo_indicatori_v_max(esito_caricamento& e, diagnosi& d, const valori_indicatori& v) {
  int64_t k = cella_di(v.posizione);
  cella& c = cella_griglia(e.scenario, k);
  if (!cella_libera(c)) return rifiuto{21, k};
  e.origine_celle[k] = d.record();
  c.tipo = cella_indicatore;
  c.dato1 = velocita_cartello(v.vas, v.vad);
  c.dato2 = velocita_cartello(v.vbs, v.vbd);
  c.dato3 = velocita_cartello(v.vcs, v.vcd);
  const int64_t strisce = static_cast<int64_t>(basso16(v.strisces)) * 10 + basso16(v.strisced);
  d.troncato(strisce, 16, "the stripes value");
  c.dato4 = basso16(strisce);
  return std::nullopt;
}
