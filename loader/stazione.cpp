// The station step: one "stazione" record becomes the next table entry from 1 upwards,
// a stop cell at the end of its area and four approach marks before the stop.
//
// The area lies about the reference point by the station's kind: terminus kinds 5 and 6
// end 150 m after it, origin kinds 7 and 8 reach one length either side, every other
// kind is centred on it. Kinds 25 and above get neither stop cell nor marks. Each area
// must begin at least 350 m after the previous one ends, and the stations must not
// reach the signboard entries coming down from 80.
#include "driver/form1.h"
#include "loader/stato_caricamento.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"

namespace {

constexpr size_t testo_massimo = 32767;  // the table file gives a text a 16-bit length

bool capolinea(int k) { return k == 5 || k == 6; }
bool origine(int k) { return k == 7 || k == 8; }

}  // namespace

esito_record Form1::record_stazione(stato_caricamento& s) {
  lettore_campi& l = s.lettore;
  voce& r = tabella[static_cast<size_t>(s.n_stazione)];
  r.valore_c = l.leggi_lungo();
  const int64_t p = r.valore_c;
  if (p + 800 > 50 * static_cast<int64_t>(n_celle)) return fuori_griglia(p);
  if (p % 50 != 0) return ferma_stazione(s, 8, p);
  r.codice = l.leggi_byte();
  const int64_t lunghezza_stazione = l.leggi_lungo();
  if (lunghezza_stazione % 100 != 0) return ferma_stazione(s, 9, p);
  r.marca = l.leggi_byte();
  r.bit_d = l.leggi_byte();
  r.bit_c = l.leggi_byte();
  r.intero_a = l.leggi_intero();
  r.intero_b = l.leggi_intero();
  r.bit_a = l.leggi_byte();
  r.intero_c = l.leggi_intero();
  r.intero_d = l.leggi_intero();
  r.intero_e = l.leggi_intero();
  r.bit_b = l.leggi_byte();
  int64_t ore = l.leggi_lungo();
  int64_t minuti = l.leggi_lungo();
  int64_t secondi = l.leggi_lungo();
  r.valore_d = lungo_o_guasto((ore * 60 + minuti) * 60 + secondi, "a station time in seconds");
  r.testo = l.leggi_testo();
  if (r.testo.size() > testo_massimo) throw guasto_caricamento("station name longer than 32767 characters");

  const int k = r.codice;
  if (capolinea(k)) {
    r.valore_b = lungo_o_guasto(p + 150, "a station area end");
    r.valore_a = lungo_o_guasto(p - lunghezza_stazione, "a station area start");
    r.bit_c = 0;
  } else if (origine(k)) {
    r.valore_a = lungo_o_guasto(p - lunghezza_stazione, "a station area start");
    r.valore_b = lungo_o_guasto(p + lunghezza_stazione, "a station area end");
    r.bit_c = 0;
  } else {
    double mezza = static_cast<double>(lunghezza_stazione) / 2.0;
    r.valore_a = lungo_o_guasto(arrotonda(static_cast<double>(p) - mezza), "a station area start");
    double fine = static_cast<double>(p) + mezza + (r.bit_c != 0 ? 50.0 : 0.0);
    r.valore_b = lungo_o_guasto(arrotonda(fine), "a station area end");
  }
  if (lunghezza_stazione < 600) r.bit_d = 0;
  if (s.n_stazione == 1) {
    r.bit_c = 0;
    r.bit_d = 0;
  }

  if (k < 25 && !capolinea(k)) {
    for (int j = 1; j <= 4; ++j) {
      double q = r.valore_b / 50.0 - j - 1;
      if (q > 1) cella_griglia(arrotonda(q)).preavviso = static_cast<uint8_t>(80 + j);
    }
  }
  if (k < 25) {
    double q = r.valore_b / 50.0 - 1;
    if (q <= 1) return ferma_stazione(s, 24, std::nullopt);
    cella& fermata = cella_griglia(arrotonda(q));
    annota_origine(arrotonda(q));
    fermata.tipo = cella_fermata;
    fermata.dato1 = basso16(s.n_stazione);
  }
  if (s.n_stazione > 1 && static_cast<int64_t>(r.valore_a) - 350 < tabella[static_cast<size_t>(s.n_stazione - 1)].valore_b) {
    return ferma_stazione(s, 22, p);
  }
  ++s.n_stazione;
  if (s.n_stazione >= s.cartello_libero) return ferma_stazione(s, 10, std::nullopt);
  return esito_record::avanti;
}

esito_record Form1::ferma_stazione(stato_caricamento& s, int32_t codice, std::optional<int64_t> posizione) {
  ferma_servizio(s, codice);
  if (posizione) posizione_errore = static_cast<int32_t>(*posizione);
  return esito_record::fermo;
}
