// Names of cell kinds and table roles, and the phrases that describe a cell's object.
#include "model/descrizioni.h"

#include <map>

#include "model/membri.h"
#include "model/testo_unicode.h"

namespace {

// A speed-indicator value packs the left-hand speed · 20 plus the right-hand one / 5;
// with no right-hand speed it is a whole multiple of 20.
std::string velocita_indicatore(const cella& c) {
  if (c.dato1 % 20 != 0 || c.dato2 % 20 != 0 || c.dato3 % 20 != 0) {
    return " (values " + std::to_string(c.dato1) + ", " + std::to_string(c.dato2) + ", " + std::to_string(c.dato3) +
           ")";
  }
  return " (A " + std::to_string(c.dato1 / 20) + ", B " + std::to_string(c.dato2 / 20) + ", C " +
         std::to_string(c.dato3 / 20) + " km/h)";
}

// The text of entry i, or nothing when there is no such entry.
std::string testo_voce(int i, const tabella_generale& tabella) {
  return i >= 0 && i < voci_tabella ? tabella[static_cast<size_t>(i)].testo : "";
}

std::string stazione(int i, const tabella_generale& tabella) {
  std::string nome = testo_voce(i, tabella);
  return "station " + std::to_string(i) + (nome.empty() ? "" : ", " + in_utf8(nome));
}

bool solo_testo(const voce& v) {
  for (const membro& m : membri_voce(v)) {
    if (m.valore != 0) return false;
  }
  return !v.testo.empty();
}

}  // namespace

std::string nome_tipo_cella(int tipo) {
  switch (tipo) {
    case cella_vuota: return "empty";
    case cella_segnale: return "signal";
    case cella_fine_rallentamento: return "slowdown end";
    case cella_inizio_rallentamento: return "slowdown start";
    case cella_avviso_rallentamento: return "slowdown warning board";
    case cella_approccio_rallentamento: return "slowdown approach cell";
    case cella_indicatore: return "speed-indicator board";
    case cella_fermata: return "station stop";
    case cella_galleria: return "tunnel mark";
    case punto_codice: return "code point";
    case cella_abbattimento: return "code reduction without a code";
    case cella_cartello: return "signboard";
    default: return "unknown kind " + std::to_string(tipo);
  }
}

std::string descrivi_cella(const cella& c, const tabella_generale& tabella) {
  std::string v = std::to_string(c.dato1);
  switch (c.tipo) {
    case cella_vuota: return "nothing";
    case cella_segnale: return "a signal";
    case cella_fine_rallentamento: return "the end of a " + v + " km/h slowdown";
    case cella_inizio_rallentamento: return "the start of a " + v + " km/h slowdown";
    case cella_avviso_rallentamento: return "the warning board of a " + v + " km/h slowdown";
    case cella_approccio_rallentamento: return "approach cell " + v + " of a slowdown warning board";
    case cella_indicatore: return "a speed-indicator board" + velocita_indicatore(c);
    case cella_fermata: return "the stop of " + stazione(c.dato1, tabella);
    case cella_galleria: return "a tunnel mark";
    case punto_codice: return "a code point with code " + v;
    case cella_abbattimento: return "a code reduction without a code";
    case cella_cartello: return "the signboard " + tra_virgolette(testo_voce(c.dato1, tabella)) + " (entry " + v + ")";
    default: return "an object of unknown kind " + std::to_string(c.tipo);
  }
}

bool voce_usata(const voce& v) {
  for (const membro& m : membri_voce(v)) {
    if (m.valore != 0) return true;
  }
  return !v.testo.empty();
}

ruolo_voce ruolo_di(int i, const tabella_generale& tabella) {
  switch (i) {
    case voce_progressiva_tre:
    case voce_progressiva_due:
    case voce_progressiva_uno: return ruolo_voce::progressiva;
    case voce_dati_treno: return ruolo_voce::dati_treno;
    case voce_testata_linea: return ruolo_voce::testata_linea;
    case voce_testata_treno: return ruolo_voce::testata_treno;
    default: break;
  }
  if (i < 1 || i > primo_cartello || !voce_usata(tabella[static_cast<size_t>(i)])) return ruolo_voce::vuota;
  int ultimo_cartello = primo_cartello + 1;
  while (ultimo_cartello > 1 && solo_testo(tabella[static_cast<size_t>(ultimo_cartello - 1)])) --ultimo_cartello;
  return i >= ultimo_cartello ? ruolo_voce::cartello : ruolo_voce::stazione;
}

std::string nome_ruolo(ruolo_voce r) {
  switch (r) {
    case ruolo_voce::vuota: return "unused";
    case ruolo_voce::stazione: return "station";
    case ruolo_voce::cartello: return "signboard";
    case ruolo_voce::progressiva: return "kilometre post";
    case ruolo_voce::dati_treno: return "train and route figures";
    case ruolo_voce::testata_linea: return "route header";
    case ruolo_voce::testata_treno: return "train header";
  }
  return "";
}

std::string significato_membro(ruolo_voce r, const std::string& nome) {
  static const std::map<ruolo_voce, std::map<std::string, std::string>> significati = {
      {ruolo_voce::stazione,
       {{"codice", "kind"},
        {"valore_a", "area start, m"},
        {"valore_b", "area end, m"},
        {"valore_c", "reference point, m"},
        {"testo", "name"},
        {"bit_c", "area end 50 m further"},
        {"valore_d", "time of day, s"}}},
      {ruolo_voce::cartello, {{"testo", "text"}}},
      {ruolo_voce::progressiva, {{"valore_a", "position, m"}, {"valore_b", "kilometre value"}, {"valore_c", "flag"}}},
      {ruolo_voce::dati_treno,
       {{"valore_a", "braked-weight percentage"}, {"valore_b", "route length, m"}, {"valore_c", "number of cars"}}},
      {ruolo_voce::testata_linea,
       {{"valore_a", "background 1"},
        {"valore_b", "background 3"},
        {"valore_c", "background 2"},
        {"testo", "route name"},
        {"intero_a", "format stamp, 610"},
        {"valore_d", "weighted checksum"}}},
      {ruolo_voce::testata_treno,
       {{"valore_a", "cab signalling start, m"},
        {"valore_b", "cab signalling end, m"},
        {"valore_c", "cab signalling code system"},
        {"testo", "train name"},
        {"intero_a", "sand"},
        {"intero_c", "clock hours"},
        {"intero_d", "clock minutes"},
        {"intero_e", "clock seconds"}}},
  };
  auto ruolo = significati.find(r);
  if (ruolo == significati.end()) return "";
  auto m = ruolo->second.find(nome);
  return m == ruolo->second.end() ? "" : m->second;
}
