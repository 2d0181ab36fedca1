// The body records of the line file: gradients, mountain stretches, speed-indicator
// boards and signboards (curves have a file of their own). Each checks its position
// against the grid first: a position beyond it records code 15 and ends the reading.
#include "loader/caricatore.h"
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/stato_caricamento.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/regole_griglia.h"
#include "model/testo_unicode.h"

// A gradient takes effect from the cell that holds its position; the cells up to it
// receive the gradient in force until now. At least one cell is written, so a change
// in the same 50 m as the previous one gives one more cell the previous gradient.
esito_record caricatore::record_pendenza(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  luogo_sorgente campo_posizione = campo_letto_ora(s);
  int32_t pendenza = s.lettore.leggi_lungo();
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  if (posizione < s.posizione_pendenza) {
    d_.avviso("gradient-order",
           "gradient at " + std::to_string(posizione) + " m comes after one at " +
               std::to_string(s.posizione_pendenza) + " m: gradients are laid in the order read",
           campo_posizione,
           {{s.luogo_pendenza, "the gradient before it, at " + std::to_string(s.posizione_pendenza) +
                                   " m: the cells from " + std::to_string(posizione) + " m are laid again from " +
                                   std::to_string(s.posizione_pendenza) + " m on, not from " +
                                   std::to_string(posizione) + " m"}});
  }
  s.posizione_pendenza = posizione;
  s.luogo_pendenza = d_.record();
  d_.troncato(static_cast<int64_t>(pendenza) + 100, 8, "the gradient + 100", campo_letto_ora(s));
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    do {
      cella_griglia(scenario_, s.cursore_pendenza).pendenza = basso8(s.pendenza_vigente + 100);
      ++s.cursore_pendenza;
    } while (s.cursore_pendenza < n);
  }
  s.pendenza_vigente = pendenza;
  return esito_record::avanti;
}

// After the body: the gradient in force reaches cell scenario_.n_celle - 3.
void caricatore::coda_pendenze(stato_caricamento& s) {
  do {
    cella_griglia(scenario_, s.cursore_pendenza).pendenza = basso8(s.pendenza_vigente + 100);
    ++s.cursore_pendenza;
  } while (s.cursore_pendenza < scenario_.n_celle - 2);
}

esito_record caricatore::record_montagna(stato_caricamento& s) {
  int32_t inizio = s.lettore.leggi_lungo();
  luogo_sorgente campo_inizio = campo_letto_ora(s);
  int32_t fine = s.lettore.leggi_lungo();
  int32_t tipo = s.lettore.leggi_lungo();
  if (!sta_in_griglia(inizio, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, inizio);
  if (fine <= inizio) {
    d_.avviso("end-before-start", "mountain stretch from " + std::to_string(inizio) + " m to " + std::to_string(fine) +
                                   " m: it covers no cell");
  }
  // A stretch that begins 150 m or less after the one read before it ends is laid as
  // kind 3: one out of order always is.
  const auto prima = static_cast<size_t>(scenario_.n_montagne);
  if (prima > 0 && inizio < scenario_.montagne_inizio[prima]) {
    const std::string p = std::to_string(inizio), q = std::to_string(scenario_.montagne_inizio[prima]);
    const int32_t tipo_scritto = tipo > 10 ? tipo - 10 : tipo;
    d_.avviso("tunnel-order",
           "mountain stretch at " + p + " m comes after one at " + q + " m: each is compared with the one read before it",
           campo_inizio,
           {{s.luogo_montagna, "the stretch before it, from " + q + " to " +
                                   std::to_string(scenario_.montagne_fine[prima]) +
                                   " m: the one at " + p + " m begins before it ends, so from " + p + " to " +
                                   std::to_string(fine) + " m it is laid as kind 3" +
                                   (tipo_scritto == 3 ? "" : ", not kind " + std::to_string(tipo_scritto))}});
  }
  s.luogo_montagna = d_.record();
  memo_montagna(scenario_, inizio, fine, tipo);
  return esito_record::avanti;
}

esito_record caricatore::record_indicatori(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  int32_t vas = s.lettore.leggi_lungo();
  int32_t vbs = s.lettore.leggi_lungo();
  int32_t vcs = s.lettore.leggi_lungo();
  int32_t strisces = s.lettore.leggi_lungo();
  // The right-hand speeds are left empty where the board has none.
  size_t vuoti = s.lettore.n_campi_vuoti();
  int32_t vad = s.lettore.leggi_lungo();
  int32_t vbd = s.lettore.leggi_lungo();
  int32_t vcd = s.lettore.leggi_lungo();
  s.lettore.dimentica_campi_vuoti(vuoti);
  int32_t strisced = s.lettore.leggi_lungo();
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  if (auto r = memo_indicatori_v_max(esito_, d_, {posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced})) {
    return ferma_rifiuto(esito_, d_, posizione, *r);
  }
  return esito_record::avanti;
}

// A signboard takes the free cell of its position and the next table entry from 80
// downwards, which holds its text. The cell is marked before the entry is taken.
esito_record caricatore::record_cartello(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  std::string testo = s.lettore.leggi_testo();
  if (!sta_in_griglia(posizione, scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, posizione);
  int64_t k = cella_di(posizione);
  cella& c = cella_griglia(scenario_, k);
  if (!cella_libera(c)) return ferma_rifiuto(esito_, d_, posizione, {6, k});
  if (sembra_utf8(testo)) {
    d_.avviso("utf8-text", "the signboard text looks like UTF-8; the file is read as Windows-1252", campo_letto_ora(s));
  }
  esito_.origine_celle[k] = d_.record();
  c.tipo = cella_cartello;
  c.dato1 = basso16(s.cartello_libero);
  if (s.cartello_libero < 1) throw guasto_caricamento("more signboards than table entries 1 to 80");
  if (testo.size() > testo_massimo) throw guasto_caricamento("signboard text longer than 32767 characters");
  scenario_.tabella[static_cast<size_t>(s.cartello_libero)].testo = testo;
  --s.cartello_libero;
  return esito_record::avanti;
}
