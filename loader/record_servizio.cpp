// The service records laid straight on the grid: line speed limits and adhesion (step
// functions), signals and slowdowns (handed to their stores) and code reductions.
#include "loader/caricatore.h"
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/stato_caricamento.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"

// Each cell holds the limit of the last record at or before it. The first cell is
// written even when the cursor stands at or past the new record's cell; the cursor
// never passes the grid's last cell.
esito_record caricatore::record_velocita(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  luogo_sorgente campo_posizione = campo_letto_ora(s);
  int32_t velocita = s.lettore.leggi_lungo();
  luogo_sorgente campo_velocita = campo_letto_ora(s);
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  if (posizione < s.posizione_velocita) {
    avvisa_ordine(posizione, s.posizione_velocita, "speed limit", s.luogo_velocita, campo_posizione,
                  (s.cursore_velocita + 1) * 50);
  }
  s.posizione_velocita = posizione;
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    while (s.cursore_velocita < scenario_.n_celle) {
      cella_griglia(scenario_, s.cursore_velocita).velocita = velocita_in_cella(s);
      ++s.cursore_velocita;
      if (s.cursore_velocita >= n) break;
    }
  }
  if (velocita % 5 != 0) {
    d_.avviso("speed-rounded",
           "speed " + std::to_string(velocita) + " km/h is kept in steps of 5 km/h, as " +
               std::to_string(5 * arrotonda(velocita / 5.0)) + " km/h",
           campo_velocita);
  }
  s.velocita_vigente = velocita;
  s.luogo_velocita = d_.record();
  return esito_record::avanti;
}

// As the speed, but with no stop at the grid's last cell.
esito_record caricatore::record_aderenza(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  luogo_sorgente campo_posizione = campo_letto_ora(s);
  int32_t aderenza = s.lettore.leggi_lungo();
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  d_.troncato(aderenza, 8, "the adhesion", campo_letto_ora(s));
  if (posizione < s.posizione_aderenza) {
    avvisa_ordine(posizione, s.posizione_aderenza, "adhesion value", s.luogo_aderenza, campo_posizione,
                  (s.cursore_aderenza + 1) * 50);
  }
  s.posizione_aderenza = posizione;
  s.luogo_aderenza = d_.record();
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    do {
      cella_griglia(scenario_, s.cursore_aderenza).aderenza = basso8(s.aderenza_vigente);
      ++s.cursore_aderenza;
    } while (s.cursore_aderenza < n);
  }
  s.aderenza_vigente = aderenza;
  return esito_record::avanti;
}

esito_record caricatore::record_segnale(stato_caricamento& s) {
  std::array<int32_t, 11> v;
  for (int32_t& valore : v) valore = s.lettore.leggi_lungo();
  int32_t posizione = v[0];
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  return dopo_memo(s, posizione, memo_segnale(esito_, d_, {posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]}));
}

esito_record caricatore::record_rallentamento(stato_caricamento& s) {
  int32_t x = s.lettore.leggi_lungo();
  int32_t v = s.lettore.leggi_lungo();
  int32_t l = s.lettore.leggi_lungo();
  int32_t f_tt = s.lettore.leggi_lungo();
  int32_t f_ta = s.lettore.leggi_lungo();
  int32_t d_v = s.lettore.leggi_lungo();
  if (!sta_in_griglia(x, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, x);
  if (l < 0) {
    d_.avviso("end-before-start", "slowdown from " + std::to_string(x) + " m with length " + std::to_string(l) +
                                   " m: its end lies before its start");
  }
  return dopo_memo(s, x, memo_rallentamento(esito_, d_, {x, v, l, f_tt, f_ta, d_v}));
}

// After a signal or slowdown store: a refusal stops the load, and so does a position
// beyond the grid that ended the line file's reading early (code 15 again).
esito_record caricatore::dopo_memo(stato_caricamento& s, int32_t posizione, const std::optional<rifiuto>& r) {
  if (r) return ferma_rifiuto(esito_, d_, posizione, *r);
  if (s.linea_oltre_griglia) return ferma(15, posizione, {nota_griglia(scenario_, luogo_lunghezza_, d_.record())});
  return esito_record::avanti;
}

// A code reduction marks the cell that holds its position (not the cell after it) as a
// code point, with its code when the code is positive.
esito_record caricatore::record_abbattimento(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  int32_t codice = s.lettore.leggi_lungo();
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  int64_t k = cella_della_posizione(posizione);
  cella& c = cella_griglia(scenario_, k);
  if (!cella_libera(c)) return ferma_rifiuto(esito_, d_, posizione, {7, k});
  esito_.origine_celle[k] = d_.record();
  if (codice > 0) d_.troncato(codice, 16, "the code", campo_letto_ora(s));
  if (codice > 0) {
    c.tipo = punto_codice;
    c.dato1 = basso16(codice);
  } else {
    c.tipo = cella_abbattimento;
  }
  return esito_record::avanti;
}
