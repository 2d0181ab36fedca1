// The data of `view`, built from the check's compilation in memory (the one compilation
// of a view), its diagnostics and the lines of the two source files.
#include "view/dati_vista.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "compiler/controllo.h"
#include "model/descrizioni.h"
#include "model/membri.h"
#include "model/nomi_file.h"
#include "model/regole_griglia.h"
#include "model/testo_unicode.h"
#include "view/record_sorgenti.h"

namespace {

using json = nlohmann::ordered_json;  // the keys in the order they are set

constexpr int64_t metri_cella = 50;

std::string luogo(const std::string& file, int riga) { return file + ":" + std::to_string(riga); }

// A text as the library takes it, valid UTF-8: a byte that belongs to no well-formed
// UTF-8 sequence (a message may quote a source's Windows-1252 bytes) is read as
// Windows-1252.
std::string utf8(const std::string& t) { return utf8_sicuro(t); }

// A length or a coordinate to a tenth of a metre: the double nearest the value written
// with one decimal, which the library writes as that decimal.
json decimi(double v) {
  if (!std::isfinite(v)) return nullptr;
  char cifre[48];
  auto fine = std::to_chars(cifre, cifre + sizeof cifre, v, std::chars_format::fixed, 1).ptr;
  double arrotondato = 0;
  std::from_chars(cifre, fine, arrotondato);
  return arrotondato;
}

json numero_o_nullo(std::optional<int64_t> v) { return v ? json(*v) : json(nullptr); }

struct contesto {
  const esito_compilazione& e;
  std::map<std::string, std::vector<std::string>> righe;  // file -> its lines (Windows-1252)
  std::vector<record_letto> indice;
  std::set<std::pair<std::string, int>> citate;  // the lines a src names, sent with the data

  // "FILE:LINE" of a place, remembered so that its text goes with the data.
  json src(const luogo_sorgente& l) {
    if (l.riga <= 0) return nullptr;
    citate.insert({l.file, l.riga});
    return utf8(luogo(l.file, l.riga));
  }
  json src_cella(int64_t k) {
    auto o = e.origine_celle.find(k);
    return o == e.origine_celle.end() ? json(nullptr) : src(o->second);
  }
  // The last record whose keyword holds `parola` and whose position, taken to the grid
  // as `alla_griglia` does, gives `metro`.
  luogo_sorgente record_a(const char* parola, int64_t metro, int64_t (*alla_griglia)(int64_t)) const {
    luogo_sorgente trovato;
    for (const record_letto& r : indice) {
      if (r.posizione && r.parola.find(parola) != std::string::npos && alla_griglia(*r.posizione) == metro) {
        trovato = {r.file, r.riga, 1};
      }
    }
    return trovato;
  }
};

int64_t inizio_tratto(int64_t p) { return cella_della_posizione(p) * metri_cella; }
int64_t stesso_metro(int64_t p) { return p; }

// Consecutive cells with the same value, as [from, to, value, src]; the src is the last
// record of `parola` that begins the stretch.
json tratti(contesto& c, size_t celle, int (*valore)(const cella&), const char* parola) {
  const std::vector<cella>& g = c.e.scenario.griglia;
  json elenco = json::array();
  size_t k = 0;
  while (k < celle) {
    size_t fine = k + 1;
    while (fine < celle && valore(g[fine]) == valore(g[k])) ++fine;
    auto da = static_cast<int64_t>(k) * metri_cella;
    elenco.push_back(json::array({da, static_cast<int64_t>(fine) * metri_cella, valore(g[k]),
                                  c.src(c.record_a(parola, da, inizio_tratto))}));
    k = fine;
  }
  return elenco;
}

int velocita_di(const cella& x) { return velocita_kmh(x); }
int pendenza_di(const cella& x) { return pendenza_per_mille(x); }
int aderenza_di(const cella& x) { return x.aderenza; }
int montagna_di(const cella& x) { return x.montagna; }

// Where the point object of cell k stands: a board or signal at p lies in the cell after
// the one that holds p; a stop, a code point or a mark in the cell that holds it.
int64_t metro_oggetto(const cella& x, int64_t k) {
  switch (x.tipo) {
    case cella_segnale:
    case cella_fine_rallentamento:
    case cella_inizio_rallentamento:
    case cella_avviso_rallentamento:
    case cella_indicatore:
    case cella_cartello: return (k - 1) * metri_cella;
    default: return k * metri_cella;
  }
}

json piano(const tracciato_piano& t, int64_t fino_a) {
  json punti = json::array();
  int64_t m = 0;
  ripercorri(t, [&](const punto_tracciato& p) {
    if (m <= fino_a && m % metri_cella == 0) punti.push_back(json::array({m, decimi(p.x), decimi(p.y)}));
    ++m;
  });
  return punti;
}

// Curves from the plan's runs: [from, to, radius, side, src].
json curve(contesto& c) {
  json elenco = json::array();
  int64_t da = 2;
  for (const tratto_piano& r : c.e.scenario.tracciato.tratti) {
    if (r.curva && r.curvatura != 0) {
      // The record that laid it: the last curve that begins at most a metre after it.
      luogo_sorgente l;
      for (const record_letto& x : c.indice) {
        if (x.posizione && x.parola.find("curva") != std::string::npos && *x.posizione <= da + 1) l = {x.file, x.riga, 1};
      }
      elenco.push_back(json::array({da, r.ultimo + 1, decimi(1 / std::fabs(r.curvatura)),
                                    r.curvatura > 0 ? "right" : "left", c.src(l)}));
    }
    da = r.ultimo + 1;
  }
  return elenco;
}

json membri(const auto& elenco, ruolo_voce ruolo) {
  json m = json::object();
  for (const membro& x : elenco) {
    std::string significato = significato_membro(ruolo, x.nome);
    m[utf8(significato.empty() ? x.nome : std::string(x.nome) + " (" + significato + ")")] = x.valore;
  }
  return m;
}

json stazione(contesto& c, int i) {
  const scenario_compilato& s = c.e.scenario;
  const voce& v = s.tabella[static_cast<size_t>(i)];
  std::optional<int64_t> fermata;
  for (size_t k = 0; k < s.griglia.size(); ++k) {
    if (s.griglia[k].tipo == cella_fermata && s.griglia[k].dato1 == i) fermata = static_cast<int64_t>(k);
  }
  luogo_sorgente l = c.record_a("stazione", v.valore_c, stesso_metro);
  if (l.riga == 0 && fermata && c.e.origine_celle.contains(*fermata)) l = c.e.origine_celle.at(*fermata);
  json j;
  j["name"] = utf8(in_utf8(v.testo));
  j["entry"] = i;
  j["m"] = v.valore_c;
  j["from"] = v.valore_a;
  j["to"] = v.valore_b;
  j["kind"] = v.codice;
  j["stop"] = fermata ? json(*fermata * metri_cella) : json(nullptr);
  j["src"] = c.src(l);
  j["members"] = membri(membri_voce(v), ruolo_voce::stazione);
  return j;
}

json stazioni(contesto& c) {
  json elenco = json::array();
  for (int i = 1; i <= primo_cartello; ++i) {
    if (ruolo_di(i, c.e.scenario.tabella) == ruolo_voce::stazione) elenco.push_back(stazione(c, i));
  }
  return elenco;
}

json oggetti(contesto& c) {
  const scenario_compilato& s = c.e.scenario;
  json elenco = json::array();
  for (size_t i = 0; i < s.griglia.size(); ++i) {
    const cella& x = s.griglia[i];
    if (x.tipo == cella_vuota) continue;
    auto k = static_cast<int64_t>(i);
    json valori = json::object();
    for (const membro& m : membri_cella(x)) {
      std::string nome = m.nome;
      if (nome == "tipo" || nome == "montagna" || nome == "velocita" || nome == "pendenza" || nome == "aderenza") {
        continue;
      }
      valori[utf8(nome)] = m.valore;
    }
    json j;
    j["kind"] = utf8(nome_tipo_cella(x.tipo));
    j["cell"] = k;
    j["m"] = metro_oggetto(x, k);
    j["what"] = utf8(descrivi_cella(x, s.tabella));
    j["members"] = std::move(valori);
    j["src"] = c.src_cella(k);
    elenco.push_back(std::move(j));
  }
  return elenco;
}

json rallentamenti(contesto& c) {
  const std::vector<cella>& g = c.e.scenario.griglia;
  json elenco = json::array();
  for (size_t k = 0; k < g.size(); ++k) {
    if (g[k].tipo != cella_inizio_rallentamento) continue;
    size_t e = k + 1;
    while (e < g.size() && g[e].tipo != cella_fine_rallentamento) ++e;
    if (e == g.size()) e = k;
    elenco.push_back(json::array({metro_oggetto(g[k], static_cast<int64_t>(k)),
                                  metro_oggetto(g[e], static_cast<int64_t>(e)), g[k].dato1,
                                  c.src_cella(static_cast<int64_t>(k))}));
  }
  return elenco;
}

json progressive(const scenario_compilato& s) {
  json elenco = json::array();
  for (int i : {voce_progressiva_uno, voce_progressiva_due, voce_progressiva_tre}) {
    const voce& v = s.tabella[static_cast<size_t>(i)];
    if (v.valore_a == 0 && v.valore_b == 0) continue;
    json j;
    j["entry"] = i;
    j["m"] = v.valore_a;
    j["km"] = v.valore_b;
    elenco.push_back(std::move(j));
  }
  return elenco;
}

// The metre a diagnostic is drawn at: its own position, or that of its record.
std::optional<int64_t> metro_di(const contesto& c, const diagnostica& d) {
  if (d.posizione) return *d.posizione;
  for (const record_letto& r : c.indice) {
    if (r.file == d.luogo.file && r.riga == d.luogo.riga) return r.posizione;
  }
  return std::nullopt;
}

json diagnostica_json(contesto& c, const diagnostica& d) {
  json note = json::array();
  for (const nota_diagnostica& n : d.note) {
    json nota;
    nota["message"] = utf8(n.messaggio);
    nota["src"] = c.src(n.luogo);
    note.push_back(std::move(nota));
  }
  json j;
  j["severity"] = d.livello == gravita::errore ? "error" : "warning";
  j["code"] = d.livello == gravita::errore ? json(d.codice) : json(utf8(d.nome));
  j["message"] = utf8(d.messaggio);
  j["file"] = utf8(d.luogo.file);
  j["line"] = std::max(d.luogo.riga, 1);
  j["column"] = std::max(d.luogo.colonna, 1);
  j["m"] = numero_o_nullo(metro_di(c, d));
  j["notes"] = std::move(note);
  return j;
}

json diagnostiche(contesto& c, const std::vector<diagnostica>& elenco) {
  json j = json::array();
  for (const diagnostica& d : elenco) j.push_back(diagnostica_json(c, d));
  return j;
}

// Where the load stopped: its first error, unless that error stops nothing (a post off
// the 50 m step is found after the load, the passes' codes and a taken header slot
// come after it).
json arresto(const contesto& c) {
  for (const diagnostica& d : c.e.diagnostiche) {
    if (d.livello != gravita::errore) continue;
    if (d.codice == 2 || d.codice == 11 || d.codice == 12 || d.codice == 13) continue;
    json j;
    j["code"] = d.codice;
    j["m"] = numero_o_nullo(metro_di(c, d));
    j["file"] = utf8(d.luogo.file);
    j["line"] = d.luogo.riga;
    j["message"] = utf8(d.messaggio);
    return j;
  }
  return nullptr;
}

// The text of every line that a src names, by file and line.
json righe_citate(const contesto& c) {
  json sorgenti = json::object();
  for (const auto& [file, riga] : c.citate) {
    auto testo = c.righe.find(file);
    if (testo == c.righe.end() || riga < 1 || static_cast<size_t>(riga) > testo->second.size()) continue;
    sorgenti[utf8(file)][std::to_string(riga)] = utf8(in_utf8(testo->second[static_cast<size_t>(riga) - 1]));
  }
  return sorgenti;
}

// The data's text inside the page's script element, where the HTML parser sees it
// before JSON does: "<", ">" and "&" are written \u003c, \u003e and \u0026, so that no
// text of the route ("</script>", "<!--", "&lt;") can end the element, hide the rest of
// the page in a comment or be read as a reference; the library writes every other
// character outside ASCII as \uXXXX already, U+2028 and U+2029 too. A control character
// keeps the \u00XX form the data have always had where the library writes \t, \n and
// the like. All of these read the same in JSON.
std::string per_lo_script(const std::string& t) {
  std::string s;
  s.reserve(t.size() + 64);
  for (size_t i = 0; i < t.size(); ++i) {
    const char* forma = nullptr;
    switch (t[i]) {
      case '<': forma = "\\u003c"; break;
      case '>': forma = "\\u003e"; break;
      case '&': forma = "\\u0026"; break;
      default: break;
    }
    if (t[i] == '\\' && i + 1 < t.size()) {
      switch (t[++i]) {
        case 'b': forma = "\\u0008"; break;
        case 't': forma = "\\u0009"; break;
        case 'n': forma = "\\u000a"; break;
        case 'f': forma = "\\u000c"; break;
        case 'r': forma = "\\u000d"; break;
        default: s += '\\'; break;
      }
    }
    if (forma != nullptr) {
      s += forma;
    } else {
      s += t[i];
    }
  }
  return s;
}

// How far the data reach: the route's length (the grid's end when the table gives none
// within it), the grid's end, and the cells up to the route's end.
struct estensione {
  int64_t lunghezza;
  int64_t fine_griglia;
  size_t celle;
};

estensione estensione_di(const scenario_compilato& s) {
  auto in_griglia = static_cast<int64_t>(s.griglia.size()) * metri_cella;
  int64_t lunghezza = s.tabella[voce_dati_treno].valore_b;
  if (lunghezza <= 0 || lunghezza > in_griglia) lunghezza = in_griglia;
  return {lunghezza, in_griglia, static_cast<size_t>((lunghezza + metri_cella - 1) / metri_cella)};
}

// The route's names and its files' names.
json nomi(const richiesta_caricamento& richiesta) {
  json j;
  j["line"] = utf8(richiesta.linea);
  j["train"] = utf8(richiesta.treno);
  j["files"]["line"] = utf8(nome_file_linea(richiesta.linea));
  j["files"]["service"] = utf8(nome_file_servizio(richiesta.linea, richiesta.treno));
  return j;
}

// The route's names and files, its extent and how its compilation ended.
json intestazione(const contesto& c, const richiesta_caricamento& richiesta, const estensione& x) {
  json j = nomi(richiesta);
  j["length"] = x.lunghezza;
  j["grid_end"] = x.fine_griglia;
  j["code"] = c.e.codice_errore();
  j["position"] = c.e.posizione_errore();
  j["stop"] = arresto(c);
  return j;
}

}  // namespace

std::string dati_vista_json(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& richiesta) {
  esito_controllo controllo = controlla_compilando(sorgenti, richiesta);
  contesto c{controllo.compilazione, {}, {}, {}};
  for (const auto& [nome, testo] : sorgenti.file) c.righe[nome] = righe_sorgente(testo);
  c.indice = indice_record(c.righe);
  const scenario_compilato& s = c.e.scenario;
  const estensione x = estensione_di(s);

  json j = intestazione(c, richiesta, x);
  j["plan"] = piano(s.tracciato, x.lunghezza);
  j["speed"] = tratti(c, x.celle, velocita_di, "velocit");
  j["gradient"] = tratti(c, x.celle, pendenza_di, "pendenza");
  j["adhesion"] = tratti(c, x.celle, aderenza_di, "aderenza");
  j["tunnels"] = tratti(c, x.celle, montagna_di, "montagna");
  j["curves"] = curve(c);
  j["slowdowns"] = rallentamenti(c);
  j["stations"] = stazioni(c);
  j["objects"] = oggetti(c);
  j["km_posts"] = progressive(s);
  j["diagnostics"] = diagnostiche(c, controllo.diagnostiche);
  j["sources"] = righe_citate(c);  // last: the lines that everything above names
  return per_lo_script(j.dump(-1, ' ', true));
}

std::string dati_vista_rifiuto_json(const std::string& file, const std::string& motivo,
                                    const richiesta_caricamento& richiesta) {
  constexpr int non_caricate = 25;  // the source files could not be loaded
  json arresto;
  arresto["code"] = non_caricate;
  arresto["m"] = nullptr;
  arresto["file"] = utf8(file);
  arresto["line"] = 1;
  arresto["message"] = utf8(motivo);
  json errore;
  errore["severity"] = "error";
  errore["code"] = non_caricate;
  errore["message"] = utf8(motivo);
  errore["file"] = utf8(file);
  errore["line"] = 1;
  errore["column"] = 1;
  errore["m"] = nullptr;
  errore["notes"] = json::array();

  json j = nomi(richiesta);
  j["length"] = 0;
  j["grid_end"] = 0;
  j["code"] = non_caricate;
  j["position"] = 0;
  j["stop"] = std::move(arresto);
  for (const char* vuoto : {"plan", "speed", "gradient", "adhesion", "tunnels", "curves", "slowdowns", "stations",
                            "objects", "km_posts"}) {
    j[vuoto] = json::array();
  }
  j["diagnostics"] = json::array({std::move(errore)});
  j["sources"] = json::object();
  return per_lo_script(j.dump(-1, ' ', true));
}
