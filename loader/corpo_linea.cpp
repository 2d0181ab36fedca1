// The body records of the line file that lay the grid: gradients, mountain stretches,
// speed-indicator boards and signboards.
#include "loader/corpo_linea.h"

#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/regole_griglia.h"
#include "model/testo_unicode.h"

// A gradient takes effect from the cell that holds its position; the cells up to it
// receive the gradient in force until now. At least one cell is written, so a change
// in the same 50 m as the previous one gives one more cell the previous gradient.
esito_record posa_pendenza(const coppia_letta& r, stato_pendenze& s, scenario_compilato& sc, diagnosi& d,
                           const luogo_sorgente& lunghezza) {
  const int32_t posizione = r.posizione.valore;
  const int32_t pendenza = r.valore.valore;
  if (!sta_in_griglia(posizione, sc.n_celle)) return fuori_griglia(sc, lunghezza, d, posizione);
  if (posizione < s.posizione) {
    d.avviso("gradient-order",
             "gradient at " + std::to_string(posizione) + " m comes after one at " + std::to_string(s.posizione) +
                 " m: gradients are laid in the order read",
             d.nel_file(r.posizione.campo),
             {{s.luogo, "the gradient before it, at " + std::to_string(s.posizione) + " m: the cells from " +
                            std::to_string(posizione) + " m are laid again from " + std::to_string(s.posizione) +
                            " m on, not from " + std::to_string(posizione) + " m"}});
  }
  s.posizione = posizione;
  s.luogo = d.record();
  d.troncato(static_cast<int64_t>(pendenza) + 100, 8, "the gradient + 100", d.nel_file(r.valore.campo));
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    do {
      cella_griglia(sc, s.cursore).pendenza = basso8(s.vigente + 100);
      ++s.cursore;
    } while (s.cursore < n);
  }
  s.vigente = pendenza;
  return esito_record::avanti;
}

void coda_pendenze(stato_pendenze& s, scenario_compilato& sc) {
  do {
    cella_griglia(sc, s.cursore).pendenza = basso8(s.vigente + 100);
    ++s.cursore;
  } while (s.cursore < sc.n_celle - 2);
}

montagna_letta leggi_montagna(lettore_campi& l) {
  montagna_letta r;
  r.inizio = leggi_numero(l);
  r.fine = l.leggi_lungo();
  r.tipo = l.leggi_lungo();
  return r;
}

esito_record posa_montagna(const montagna_letta& r, luogo_sorgente& luogo_montagna, scenario_compilato& sc,
                           diagnosi& d, const luogo_sorgente& lunghezza) {
  const int32_t inizio = r.inizio.valore;
  if (!sta_in_griglia(inizio, sc.n_celle)) return fuori_griglia(sc, lunghezza, d, inizio);
  if (r.fine <= inizio) {
    d.avviso("end-before-start", "mountain stretch from " + std::to_string(inizio) + " m to " +
                                     std::to_string(r.fine) + " m: it covers no cell");
  }
  // A stretch that begins 150 m or less after the one read before it ends is laid as
  // kind 3: one out of order always is.
  const auto prima = static_cast<size_t>(sc.n_montagne);
  if (prima > 0 && inizio < sc.montagne_inizio[prima]) {
    const std::string p = std::to_string(inizio), q = std::to_string(sc.montagne_inizio[prima]);
    const int32_t tipo_scritto = r.tipo > 10 ? r.tipo - 10 : r.tipo;
    d.avviso("tunnel-order",
             "mountain stretch at " + p + " m comes after one at " + q +
                 " m: each is compared with the one read before it",
             d.nel_file(r.inizio.campo),
             {{luogo_montagna, "the stretch before it, from " + q + " to " +
                                   std::to_string(sc.montagne_fine[prima]) + " m: the one at " + p +
                                   " m begins before it ends, so from " + p + " to " + std::to_string(r.fine) +
                                   " m it is laid as kind 3" +
                                   (tipo_scritto == 3 ? "" : ", not kind " + std::to_string(tipo_scritto))}});
  }
  luogo_montagna = d.record();
  memo_montagna(sc, inizio, r.fine, r.tipo);
  return esito_record::avanti;
}

valori_indicatori leggi_indicatori(lettore_campi& l) {
  valori_indicatori v{};
  v.posizione = l.leggi_lungo();
  v.vas = l.leggi_lungo();
  v.vbs = l.leggi_lungo();
  v.vcs = l.leggi_lungo();
  v.strisces = l.leggi_lungo();
  // The right-hand speeds are left empty where the board has none.
  size_t vuoti = l.n_campi_vuoti();
  v.vad = l.leggi_lungo();
  v.vbd = l.leggi_lungo();
  v.vcd = l.leggi_lungo();
  l.dimentica_campi_vuoti(vuoti);
  v.strisced = l.leggi_lungo();
  return v;
}

esito_record posa_indicatori(const valori_indicatori& r, esito_caricamento& e, diagnosi& d,
                             const luogo_sorgente& lunghezza) {
  if (!sta_in_griglia(r.posizione, e.scenario.n_celle)) return fuori_griglia(e.scenario, lunghezza, d, r.posizione);
  if (auto rifiutato = memo_indicatori_v_max(e, d, r)) return ferma_rifiuto(e, d, r.posizione, *rifiutato);
  return esito_record::avanti;
}

cartello_letto leggi_cartello(lettore_campi& l) {
  cartello_letto r;
  r.posizione = l.leggi_lungo();
  r.testo = l.leggi_testo();
  r.campo_testo = l.ultimo_campo().luogo;
  return r;
}

// A signboard takes the free cell of its position and the next table entry from 80
// downwards, which holds its text. The cell is marked before the entry is taken.
esito_record posa_cartello(const cartello_letto& r, int32_t& cartello_libero, esito_caricamento& e, diagnosi& d,
                           const luogo_sorgente& lunghezza) {
  scenario_compilato& sc = e.scenario;
  if (!sta_in_griglia(r.posizione, sc.n_celle)) return fuori_griglia(sc, lunghezza, d, r.posizione);
  int64_t k = cella_di(r.posizione);
  cella& c = cella_griglia(sc, k);
  if (!cella_libera(c)) return ferma_rifiuto(e, d, r.posizione, {6, k});
  if (sembra_utf8(r.testo)) {
    d.avviso("utf8-text", "the signboard text looks like UTF-8; the file is read as Windows-1252",
             d.nel_file(r.campo_testo));
  }
  e.origine_celle[k] = d.record();
  c.tipo = cella_cartello;
  c.dato1 = basso16(cartello_libero);
  if (cartello_libero < 1) throw guasto_caricamento("more signboards than table entries 1 to 80");
  if (r.testo.size() > testo_massimo) throw guasto_caricamento("signboard text longer than 32767 characters");
  sc.tabella[static_cast<size_t>(cartello_libero)].testo = r.testo;
  --cartello_libero;
  return esito_record::avanti;
}
