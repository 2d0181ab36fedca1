// The body records of the line file: gradients, mountain stretches, speed-indicator
// boards and signboards (curves have a file of their own). Each checks its position
// against the grid first: a position beyond it records code 15 and ends the reading.
#include "compiler/compilatore.h"
#include "loader/stato_caricamento.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"
#include "tool/testo_unicode.h"

namespace {

// The table file gives a text a 16-bit length.
constexpr size_t testo_massimo = 32767;

}  // namespace

// A gradient takes effect from the cell that holds its position; the cells up to it
// receive the gradient in force until now. At least one cell is written, so a change
// in the same 50 m as the previous one gives one more cell the previous gradient.
esito_record compilatore::record_pendenza(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  int32_t pendenza = s.lettore.leggi_lungo();
  if (!sta_in_griglia(posizione, n_celle)) return fuori_griglia(s, posizione);
  if (posizione < s.posizione_pendenza) {
    avvisa("gradient-order", "gradient at " + std::to_string(posizione) + " m comes after one at " +
                                 std::to_string(s.posizione_pendenza) + " m: gradients are laid in the order read");
  }
  s.posizione_pendenza = posizione;
  avvisa_troncato(static_cast<int64_t>(pendenza) + 100, 8, "the gradient + 100");
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    do {
      cella_griglia(s.cursore_pendenza).pendenza = basso8(s.pendenza_vigente + 100);
      ++s.cursore_pendenza;
    } while (s.cursore_pendenza < n);
  }
  s.pendenza_vigente = pendenza;
  return esito_record::avanti;
}

// After the body: the gradient in force reaches cell n_celle - 3.
void compilatore::coda_pendenze(stato_caricamento& s) {
  do {
    cella_griglia(s.cursore_pendenza).pendenza = basso8(s.pendenza_vigente + 100);
    ++s.cursore_pendenza;
  } while (s.cursore_pendenza < n_celle - 2);
}

esito_record compilatore::record_montagna(stato_caricamento& s) {
  int32_t inizio = s.lettore.leggi_lungo();
  int32_t fine = s.lettore.leggi_lungo();
  int32_t tipo = s.lettore.leggi_lungo();
  if (!sta_in_griglia(inizio, n_celle)) return fuori_griglia(s, inizio);
  if (fine <= inizio) {
    avvisa("end-before-start", "mountain stretch from " + std::to_string(inizio) + " m to " + std::to_string(fine) +
                                   " m: it covers no cell");
  }
  memo_montagna(inizio, fine, tipo);
  return esito_record::avanti;
}

esito_record compilatore::record_indicatori(stato_caricamento& s) {
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
  if (!sta_in_griglia(posizione, n_celle)) return fuori_griglia(s, posizione);
  memo_indicatori_v_max(posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  if (codice_errore > 0) {
    ferma_linea(s, codice_errore, posizione, note_rifiuto());
    return fermo_o_avanti(s);
  }
  return esito_record::avanti;
}

// A signboard takes the free cell of its position and the next table entry from 80
// downwards, which holds its text. The cell is marked before the entry is taken.
esito_record compilatore::record_cartello(stato_caricamento& s) {
  int32_t posizione = s.lettore.leggi_lungo();
  riga = s.lettore.leggi_testo();
  if (!sta_in_griglia(posizione, n_celle)) return fuori_griglia(s, posizione);
  int64_t k = cella_di(posizione);
  cella& c = cella_griglia(k);
  if (!cella_libera(c)) {
    cella_rifiutata_ = k;
    ferma_linea(s, 6, posizione, note_rifiuto());
    return fermo_o_avanti(s);
  }
  if (sembra_utf8(riga)) avvisa("utf8-text", "the signboard text looks like UTF-8; the file is read as Windows-1252");
  annota_origine(k);
  c.tipo = cella_cartello;
  c.dato1 = basso16(s.cartello_libero);
  if (s.cartello_libero < 1) throw guasto_caricamento("more signboards than table entries 1 to 80");
  if (riga.size() > testo_massimo) throw guasto_caricamento("signboard text longer than 32767 characters");
  tabella[static_cast<size_t>(s.cartello_libero)].testo = riga;
  --s.cartello_libero;
  return esito_record::avanti;
}
