// memo_segnale: lays one signal on the grid.
//
// The signal occupies the cell after the one that holds its position. Its left-hand
// and right-hand values are packed in pairs (left · 10 + right) into the cell's four
// integers, its time is kept only for a signal of kind 2 on the left, and the four
// cells 100 to 400 m before it get approach marks whatever they hold.
#include "loader/caricatore.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

std::optional<rifiuto> caricatore::memo_segnale(int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3,
                                               int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                                               int32_t tempo) {
  int64_t n = cella_di(posizione);
  cella& c = cella_griglia(n);
  if (!cella_libera(c)) return rifiuto{16, n};
  annota_origine(n);
  int64_t lato = static_cast<int64_t>(sx) * 3 + dx;
  avvisa_troncato(static_cast<int64_t>(rapp) * 10 + lato, 16, "the signal's packed kind");
  avvisa_troncato(static_cast<int64_t>(s1) * 10 + d1, 16, "the signal's first packed value");
  avvisa_troncato(static_cast<int64_t>(s2) * 10 + d2, 16, "the signal's second packed value");
  avvisa_troncato(static_cast<int64_t>(s3) * 10 + d3, 16, "the signal's third packed value");
  c.tipo = cella_segnale;
  c.dato4 = basso16(static_cast<int64_t>(rapp) * 10 + lato);
  c.dato1 = basso16(static_cast<int64_t>(s1) * 10 + d1);
  c.dato2 = basso16(static_cast<int64_t>(s2) * 10 + d2);
  c.dato3 = basso16(static_cast<int64_t>(s3) * 10 + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  if (sx == 2) avvisa_troncato(tempo, 8, "the signal time");
  c.tempo = sx == 2 ? basso8(tempo) : 0;
  for (int64_t j = 1; j <= 4; ++j) cella_griglia(n - 2 * j).preavviso = basso8(lato * 10 + j);
  return std::nullopt;
}
