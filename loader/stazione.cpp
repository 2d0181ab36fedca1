// The station step: one "stazione" record becomes the next table entry from 1 upwards,
// a stop cell at the end of its area and four approach marks before the stop.
//
// The area lies about the reference point by the station's kind: terminus kinds 5 and 6
// end 150 m after it, origin kinds 7 and 8 reach one length either side, every other
// kind is centred on it. Kinds 25 and above get neither stop cell nor marks. Each area
// must begin at least 350 m after the previous one ends, and the stations must not
// reach the signboard entries coming down from 80.
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

namespace {

bool capolinea(int k) { return k == 5 || k == 6; }
bool origine(int k) { return k == 7 || k == 8; }

}  // namespace

esito_record caricatore::record_stazione(stato_caricamento& s) {
  lettore_campi& l = s.lettore;
  voce& r = scenario_.tabella[static_cast<size_t>(s.n_stazione)];
  r.valore_c = l.leggi_lungo();
  const int64_t p = r.valore_c;
  const luogo_sorgente campo_posizione = campo_letto_ora(s);
  if (p + 800 > 50 * static_cast<int64_t>(scenario_.n_celle)) return ::fuori_griglia(scenario_, luogo_lunghezza_, d_, p);
  if (p % 50 != 0) return ferma(8, p);
  if (p > scenario_.tabella[voce_dati_treno].valore_b) {
    d_.avviso("station-beyond-end",
           "station at " + std::to_string(p) + " m, beyond the route's end at " +
               std::to_string(scenario_.tabella[voce_dati_treno].valore_b) + " m",
           campo_posizione);
  }
  r.codice = l.leggi_byte();
  const int64_t lunghezza_stazione = l.leggi_lungo();
  if (lunghezza_stazione % 100 != 0) return ferma(9, p, {}, lunghezza_stazione);
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
  if (sembra_utf8(r.testo)) {
    d_.avviso("utf8-text", "the station name looks like UTF-8; the file is read as Windows-1252", campo_letto_ora(s));
  }

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
      if (q > 1) cella_griglia(scenario_, arrotonda(q)).preavviso = static_cast<uint8_t>(80 + j);
    }
  }
  if (k < 25) {
    double q = r.valore_b / 50.0 - 1;
    if (q <= 1) {
      return ferma(24, std::nullopt,
                            {nota_stazione(s.n_stazione, ": its area ends at " + std::to_string(r.valore_b) + " m")});
    }
    cella& fermata = cella_griglia(scenario_, arrotonda(q));
    esito_.origine_celle[arrotonda(q)] = d_.record();
    fermata.tipo = cella_fermata;
    fermata.dato1 = basso16(s.n_stazione);
  }
  if (s.n_stazione > 1 && static_cast<int64_t>(r.valore_a) - 350 < scenario_.tabella[static_cast<size_t>(s.n_stazione - 1)].valore_b) {
    const voce& prima = scenario_.tabella[static_cast<size_t>(s.n_stazione - 1)];
    return ferma(22, p,
                          {nota_stazione(s.n_stazione - 1, " occupies " + std::to_string(prima.valore_a) + " to " +
                                                               std::to_string(prima.valore_b) + " m, and " +
                                                               nome_stazione(s.n_stazione) + " begins at " +
                                                               std::to_string(r.valore_a) + " m")});
  }
  ++s.n_stazione;
  if (s.n_stazione >= s.cartello_libero) {
    std::string testo = "stations fill entries 1 to " + std::to_string(s.n_stazione - 1) + " and signboards entries " +
                        std::to_string(s.cartello_libero + 1) + " to 80 of the table";
    return ferma(10, std::nullopt, {{d_.record(), testo}});
  }
  return esito_record::avanti;
}

// "station I, NAME" followed by `testo`, placed at the record that laid its stop cell
// when it has one, else at the record being read.
std::string caricatore::nome_stazione(int i) const {
  const std::string& nome = scenario_.tabella[static_cast<size_t>(i)].testo;
  return "station " + std::to_string(i) + (nome.empty() ? "" : ", " + in_utf8(nome));
}

nota_diagnostica caricatore::nota_stazione(int i, const std::string& testo) const {
  luogo_sorgente dove = d_.record();
  for (size_t k = 0; k < scenario_.griglia.size(); ++k) {
    if (scenario_.griglia[k].tipo != cella_fermata || scenario_.griglia[k].dato1 != i) continue;
    auto o = esito_.origine_celle.find(static_cast<int64_t>(k));
    if (o != esito_.origine_celle.end()) dove = o->second;
  }
  return {dove, nome_stazione(i) + testo};
}
