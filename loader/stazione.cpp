// The station step: one "stazione" record becomes the next table entry from 1 upwards,
// a stop cell at the end of its area and four approach marks before the stop.
//
// The area lies about the reference point by the station's kind: terminus kinds 5 and 6
// end 150 m after it, origin kinds 7 and 8 reach one length either side, every other
// kind is centred on it. Kinds 25 and above get neither stop cell nor marks. Each area
// must begin at least 350 m after the previous one ends, and the stations must not
// reach the signboard entries coming down from 80.
#include "loader/stazione.h"

#include "loader/diagnosi.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/regole_griglia.h"
#include "model/testo_unicode.h"

namespace {

bool capolinea(int k) { return k == 5 || k == 6; }
bool origine(int k) { return k == 7 || k == 8; }

// "station I, NAME".
std::string nome_stazione(const tabella_generale& t, int i) {
  const std::string& nome = t[static_cast<size_t>(i)].testo;
  return "station " + std::to_string(i) + (nome.empty() ? "" : ", " + in_utf8(nome));
}

// "station I, NAME" followed by `testo`, placed at the record that laid its stop cell
// when it has one, else at the record being read.
nota_diagnostica nota_stazione(const esito_caricamento& e, const diagnosi& d, int i, const std::string& testo) {
  luogo_sorgente dove = d.record();
  for (size_t k = 0; k < e.scenario.griglia.size(); ++k) {
    if (e.scenario.griglia[k].tipo != cella_fermata || e.scenario.griglia[k].dato1 != i) continue;
    auto o = e.origine_celle.find(static_cast<int64_t>(k));
    if (o != e.origine_celle.end()) dove = o->second;
  }
  return {dove, nome_stazione(e.scenario.tabella, i) + testo};
}

// The fields after the kind and the length, straight into the entry.
void leggi_dati(lettore_campi& l, voce& r, diagnosi& d) {
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
    d.avviso("utf8-text", "the station name looks like UTF-8; the file is read as Windows-1252",
             d.nel_file(l.ultimo_campo().luogo));
  }
}

// The area about the reference point `p`, by the station's kind and length.
void area_stazione(voce& r, int64_t p, int64_t lunghezza_stazione, int32_t n_stazione) {
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
  if (n_stazione == 1) {
    r.bit_c = 0;
    r.bit_d = 0;
  }
}

// The approach marks and the stop cell at the end of the area (kinds below 25); code 24
// when the area ends too near the start of the grid for a stop cell.
esito_record posa_fermata(const voce& r, int32_t n_stazione, esito_caricamento& e, diagnosi& d) {
  const int k = r.codice;
  if (k < 25 && !capolinea(k)) {
    for (int j = 1; j <= 4; ++j) {
      double q = r.valore_b / 50.0 - j - 1;
      if (q > 1) cella_griglia(e.scenario, arrotonda(q)).preavviso = static_cast<uint8_t>(80 + j);
    }
  }
  if (k >= 25) return esito_record::avanti;
  double q = r.valore_b / 50.0 - 1;
  if (q <= 1) {
    const std::string fine = ": its area ends at " + std::to_string(r.valore_b) + " m";
    d.codice(24, std::nullopt, {nota_stazione(e, d, n_stazione, fine)});
    return esito_record::fermo;
  }
  cella& fermata = cella_griglia(e.scenario, arrotonda(q));
  e.origine_celle[arrotonda(q)] = d.record();
  fermata.tipo = cella_fermata;
  fermata.dato1 = basso16(n_stazione);
  return esito_record::avanti;
}

// Code 22 when the area begins less than 350 m after the previous station's ends.
esito_record dopo_la_precedente(const voce& r, int32_t n_stazione, int64_t p, const esito_caricamento& e,
                                diagnosi& d) {
  if (n_stazione <= 1) return esito_record::avanti;
  const voce& prima = e.scenario.tabella[static_cast<size_t>(n_stazione - 1)];
  if (static_cast<int64_t>(r.valore_a) - 350 >= prima.valore_b) return esito_record::avanti;
  d.codice(22, p,
           {nota_stazione(e, d, n_stazione - 1,
                          " occupies " + std::to_string(prima.valore_a) + " to " + std::to_string(prima.valore_b) +
                              " m, and " + nome_stazione(e.scenario.tabella, n_stazione) + " begins at " +
                              std::to_string(r.valore_a) + " m")});
  return esito_record::fermo;
}

}  // namespace

esito_record record_stazione(lettore_campi& l, voci_prese& voci, esito_caricamento& e, diagnosi& d,
                             const luogo_sorgente& lunghezza) {
  voce& r = e.scenario.tabella[static_cast<size_t>(voci.n_stazione)];
  r.valore_c = l.leggi_lungo();
  const int64_t p = r.valore_c;
  const luogo_sorgente campo_posizione = d.nel_file(l.ultimo_campo().luogo);
  if (p + 800 > 50 * static_cast<int64_t>(e.scenario.n_celle)) return fuori_griglia(e.scenario, lunghezza, d, p);
  if (p % 50 != 0) {
    d.codice(8, p);
    return esito_record::fermo;
  }
  const int32_t fine_percorso = e.scenario.tabella[voce_dati_treno].valore_b;
  if (p > fine_percorso) {
    d.avviso("station-beyond-end",
             "station at " + std::to_string(p) + " m, beyond the route's end at " + std::to_string(fine_percorso) +
                 " m",
             campo_posizione);
  }
  r.codice = l.leggi_byte();
  const int64_t lunghezza_stazione = l.leggi_lungo();
  if (lunghezza_stazione % 100 != 0) {
    d.codice(9, p, {}, lunghezza_stazione);
    return esito_record::fermo;
  }
  leggi_dati(l, r, d);
  area_stazione(r, p, lunghezza_stazione, voci.n_stazione);
  if (posa_fermata(r, voci.n_stazione, e, d) == esito_record::fermo) return esito_record::fermo;
  if (dopo_la_precedente(r, voci.n_stazione, p, e, d) == esito_record::fermo) return esito_record::fermo;
  ++voci.n_stazione;
  if (voci.n_stazione >= voci.cartello_libero) {
    std::string testo = "stations fill entries 1 to " + std::to_string(voci.n_stazione - 1) +
                        " and signboards entries " + std::to_string(voci.cartello_libero + 1) + " to 80 of the table";
    d.codice(10, std::nullopt, {{d.record(), testo}});
    return esito_record::fermo;
  }
  return esito_record::avanti;
}
