// memo_segnale: lays one signal on the grid.
//
// The signal occupies the cell after the one that holds its position. Its left-hand
// and right-hand values are packed in pairs (left · 10 + right) into the cell's four
// integers, its time is kept only for a signal of kind 2 on the left, and the four
// cells 100 to 400 m before it get approach marks whatever they hold.
#include "loader/diagnosi.h"
#include "loader/memo.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

std::optional<rifiuto> memo_segnale(esito_caricamento& e, diagnosi& d, const valori_segnale& v) {
  int64_t n = cella_di(v.posizione);
  cella& c = cella_griglia(e.scenario, n);
  if (!cella_libera(c)) return rifiuto{16, n};
  e.origine_celle[n] = d.record();
  const int64_t lato = static_cast<int64_t>(v.sx) * 3 + v.dx;
  const int64_t tipo = static_cast<int64_t>(v.rapp) * 10 + lato;
  const int64_t primo = static_cast<int64_t>(v.s1) * 10 + v.d1;
  const int64_t secondo = static_cast<int64_t>(v.s2) * 10 + v.d2;
  const int64_t terzo = static_cast<int64_t>(v.s3) * 10 + v.d3;
  d.troncato(tipo, 16, "the signal's packed kind");
  d.troncato(primo, 16, "the signal's first packed value");
  d.troncato(secondo, 16, "the signal's second packed value");
  d.troncato(terzo, 16, "the signal's third packed value");
  c.tipo = cella_segnale;
  c.dato4 = basso16(tipo);
  c.dato1 = basso16(primo);
  c.dato2 = basso16(secondo);
  c.dato3 = basso16(terzo);
  const int32_t tempo = v.tempo >= 1 && v.tempo <= 100 ? 101 : v.tempo;
  if (v.sx == 2) d.troncato(tempo, 8, "the signal time");
  c.tempo = v.sx == 2 ? basso8(tempo) : 0;
  for (int64_t j = 1; j <= 4; ++j) cella_griglia(e.scenario, n - 2 * j).preavviso = basso8(lato * 10 + j);
  return std::nullopt;
}
