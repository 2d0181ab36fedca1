// memo_indicatori_v_max: places one speed-indicator board on the grid.
//
// Each of the three speeds A, B, C is packed as left-hand speed · 20 + right-hand
// speed / 5 (so 140 on the left and nothing on the right is 2800); the stripes of both
// sides go into the fourth value. The board needs a free cell.
#include "loader/caricatore.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

namespace {

int16_t velocita_cartello(int32_t sinistra, int32_t destra) {
  double valore = destra / 5.0 + sinistra * 20.0;
  return intero_o_guasto(arrotonda(valore), "a speed-indicator value");
}

}  // namespace

std::optional<rifiuto> caricatore::memo_indicatori_v_max(int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs,
                                                        int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                                                        int32_t strisced) {
  int64_t k = cella_di(posizione);
  cella& c = cella_griglia(k);
  if (!cella_libera(c)) return rifiuto{21, k};
  annota_origine(k);
  c.tipo = cella_indicatore;
  c.dato1 = velocita_cartello(vas, vad);
  c.dato2 = velocita_cartello(vbs, vbd);
  c.dato3 = velocita_cartello(vcs, vcd);
  avvisa_troncato(static_cast<int64_t>(basso16(strisces)) * 10 + basso16(strisced), 16, "the stripes value");
  c.dato4 = basso16(static_cast<int64_t>(basso16(strisces)) * 10 + basso16(strisced));
  return std::nullopt;
}
