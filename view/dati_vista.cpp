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

#include "compiler/controllo.h"
#include "model/descrizioni.h"
#include "model/maiuscole.h"
#include "model/membri.h"
#include "model/nomi_file.h"
#include "model/regole_griglia.h"
#include "model/testo_unicode.h"

namespace {

constexpr int64_t metri_cella = 50;

// A JSON text built piece by piece; commas are put between the members of an array or
// object as they come.
class json {
 public:
  json& apri(char c) {
    separa();
    t_ += c;
    primo_ = true;
    return *this;
  }
  json& chiudi(char c) {
    t_ += c;
    primo_ = false;
    return *this;
  }
  json& chiave(const std::string& nome) {
    separa();
    t_ += stringa_json(nome, true) + ':';
    primo_ = true;
    return *this;
  }
  json& intero(int64_t v) { return grezzo(std::to_string(v)); }
  json& decimi(double v) {
    if (!std::isfinite(v)) return grezzo("null");
    char cifre[48];
    auto fine = std::to_chars(cifre, cifre + sizeof cifre, v, std::chars_format::fixed, 1).ptr;
    return grezzo(std::string(cifre, fine));
  }
  json& testo(const std::string& utf8) { return grezzo(stringa_json(utf8, true)); }
  json& nullo() { return grezzo("null"); }
  json& grezzo(const std::string& v) {
    separa();
    t_ += v;
    return *this;
  }
  const std::string& risultato() const { return t_; }

 private:
  void separa() {
    if (!primo_) t_ += ',';
    primo_ = false;
  }
  std::string t_;
  bool primo_ = true;
};

// A record of the source files: where it stands and its first value, the position of
// whatever it lays.
struct record_letto {
  std::string file;
  int riga;
  std::string parola;  // the keyword field, lower case
  std::optional<int64_t> posizione;
};

// The lines of a text, split at CR LF, LF or CR alike (as the loader reads them).
std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::string riga;
  for (size_t i = 0; i < testo.size(); ++i) {
    char c = testo[i];
    if (c == '\r' || c == '\n') {
      righe.push_back(riga);
      riga.clear();
      if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    } else {
      riga += c;
    }
  }
  if (!riga.empty()) righe.push_back(riga);
  return righe;
}

std::optional<int64_t> numero(std::string_view campo) {
  while (!campo.empty() && (campo.front() == ' ' || campo.front() == '\t')) campo.remove_prefix(1);
  int64_t v = 0;
  auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), v);
  if (errore != std::errc{} || fine == campo.data()) return std::nullopt;
  return v;
}

// Every line of the two files that reads as a record: a keyword field and a number
// after it. The parser's rules are the loader's; this only finds where a record that
// laid something stands, for the tooltips.
std::vector<record_letto> indice_record(const std::map<std::string, std::vector<std::string>>& righe) {
  std::vector<record_letto> indice;
  for (const auto& [file, testo] : righe) {
    for (size_t i = 0; i < testo.size(); ++i) {
      const std::string& r = testo[i];
      size_t virgola = r.find(',');
      if (virgola == std::string::npos) continue;
      size_t dopo = r.find(',', virgola + 1);
      std::string valore = r.substr(virgola + 1, dopo == std::string::npos ? std::string::npos : dopo - virgola - 1);
      indice.push_back({file, static_cast<int>(i + 1), minuscolo(r.substr(0, virgola)), numero(valore)});
    }
  }
  return indice;
}

std::string luogo(const std::string& file, int riga) { return file + ":" + std::to_string(riga); }

struct contesto {
  const esito_compilazione& e;
  std::map<std::string, std::vector<std::string>> righe;  // file -> its lines (Windows-1252)
  std::vector<record_letto> indice;
  std::set<std::pair<std::string, int>> citate;  // the lines a src names, sent with the data

  // "FILE:LINE" of a place, remembered so that its text goes with the data.
  void src(json& j, const luogo_sorgente& l) {
    if (l.riga <= 0) {
      j.nullo();
      return;
    }
    citate.insert({l.file, l.riga});
    j.testo(luogo(l.file, l.riga));
  }
  void src_cella(json& j, int64_t k) {
    auto o = e.origine_celle.find(k);
    if (o == e.origine_celle.end()) {
      j.nullo();
    } else {
      src(j, o->second);
    }
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
void tratti(json& j, contesto& c, size_t celle, int (*valore)(const cella&), const char* parola) {
  const std::vector<cella>& g = c.e.scenario.griglia;
  j.apri('[');
  size_t k = 0;
  while (k < celle) {
    size_t fine = k + 1;
    while (fine < celle && valore(g[fine]) == valore(g[k])) ++fine;
    auto da = static_cast<int64_t>(k) * metri_cella;
    j.apri('[').intero(da).intero(static_cast<int64_t>(fine) * metri_cella).intero(valore(g[k]));
    c.src(j, c.record_a(parola, da, inizio_tratto));
    j.chiudi(']');
    k = fine;
  }
  j.chiudi(']');
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

void piano(json& j, const tracciato_piano& t, int64_t fino_a) {
  j.apri('[');
  int64_t m = 0;
  ripercorri(t, [&](const punto_tracciato& p) {
    if (m <= fino_a && m % metri_cella == 0) j.apri('[').intero(m).decimi(p.x).decimi(p.y).chiudi(']');
    ++m;
  });
  j.chiudi(']');
}

// Curves from the plan's runs: [from, to, radius, side, src].
void curve(json& j, contesto& c) {
  j.apri('[');
  int64_t da = 2;
  for (const tratto_piano& r : c.e.scenario.tracciato.tratti) {
    if (r.curva && r.curvatura != 0) {
      j.apri('[').intero(da).intero(r.ultimo + 1).decimi(1 / std::fabs(r.curvatura));
      j.testo(r.curvatura > 0 ? "right" : "left");
      // The record that laid it: the last curve that begins at most a metre after it.
      luogo_sorgente l;
      for (const record_letto& x : c.indice) {
        if (x.posizione && x.parola.find("curva") != std::string::npos && *x.posizione <= da + 1) l = {x.file, x.riga, 1};
      }
      c.src(j, l);
      j.chiudi(']');
    }
    da = r.ultimo + 1;
  }
  j.chiudi(']');
}

void membri(json& j, const auto& elenco, ruolo_voce ruolo) {
  j.apri('{');
  for (const membro& m : elenco) {
    std::string significato = significato_membro(ruolo, m.nome);
    j.chiave(significato.empty() ? m.nome : std::string(m.nome) + " (" + significato + ")").intero(m.valore);
  }
  j.chiudi('}');
}

void stazioni(json& j, contesto& c) {
  const scenario_compilato& s = c.e.scenario;
  j.apri('[');
  for (int i = 1; i <= primo_cartello; ++i) {
    const voce& v = s.tabella[static_cast<size_t>(i)];
    if (ruolo_di(i, s.tabella) != ruolo_voce::stazione) continue;
    j.apri('{');
    j.chiave("name").testo(in_utf8(v.testo)).chiave("entry").intero(i);
    j.chiave("m").intero(v.valore_c).chiave("from").intero(v.valore_a).chiave("to").intero(v.valore_b);
    j.chiave("kind").intero(v.codice);
    std::optional<int64_t> fermata;
    for (size_t k = 0; k < s.griglia.size(); ++k) {
      if (s.griglia[k].tipo == cella_fermata && s.griglia[k].dato1 == i) fermata = static_cast<int64_t>(k);
    }
    j.chiave("stop");
    if (fermata) {
      j.intero(*fermata * metri_cella);
    } else {
      j.nullo();
    }
    j.chiave("src");
    luogo_sorgente l = c.record_a("stazione", v.valore_c, stesso_metro);
    if (l.riga == 0 && fermata && c.e.origine_celle.contains(*fermata)) l = c.e.origine_celle.at(*fermata);
    c.src(j, l);
    j.chiave("members");
    membri(j, membri_voce(v), ruolo_voce::stazione);
    j.chiudi('}');
  }
  j.chiudi(']');
}

void oggetti(json& j, contesto& c) {
  const scenario_compilato& s = c.e.scenario;
  j.apri('[');
  for (size_t i = 0; i < s.griglia.size(); ++i) {
    const cella& x = s.griglia[i];
    if (x.tipo == cella_vuota) continue;
    auto k = static_cast<int64_t>(i);
    j.apri('{').chiave("kind").testo(nome_tipo_cella(x.tipo)).chiave("cell").intero(k);
    j.chiave("m").intero(metro_oggetto(x, k)).chiave("what").testo(descrivi_cella(x, s.tabella));
    j.chiave("members").apri('{');
    for (const membro& m : membri_cella(x)) {
      std::string nome = m.nome;
      if (nome == "tipo" || nome == "montagna" || nome == "velocita" || nome == "pendenza" || nome == "aderenza") {
        continue;
      }
      j.chiave(nome).intero(m.valore);
    }
    j.chiudi('}').chiave("src");
    c.src_cella(j, k);
    j.chiudi('}');
  }
  j.chiudi(']');
}

void rallentamenti(json& j, contesto& c) {
  const std::vector<cella>& g = c.e.scenario.griglia;
  j.apri('[');
  for (size_t k = 0; k < g.size(); ++k) {
    if (g[k].tipo != cella_inizio_rallentamento) continue;
    size_t e = k + 1;
    while (e < g.size() && g[e].tipo != cella_fine_rallentamento) ++e;
    if (e == g.size()) e = k;
    j.apri('[').intero(metro_oggetto(g[k], static_cast<int64_t>(k))).intero(metro_oggetto(g[e], static_cast<int64_t>(e)));
    j.intero(g[k].dato1);
    c.src_cella(j, static_cast<int64_t>(k));
    j.chiudi(']');
  }
  j.chiudi(']');
}

// The metre a diagnostic is drawn at: its own position, or that of its record.
std::optional<int64_t> metro_di(const contesto& c, const diagnostica& d) {
  if (d.posizione) return *d.posizione;
  for (const record_letto& r : c.indice) {
    if (r.file == d.luogo.file && r.riga == d.luogo.riga) return r.posizione;
  }
  return std::nullopt;
}

void diagnostiche(json& j, contesto& c, const std::vector<diagnostica>& elenco) {
  j.apri('[');
  for (const diagnostica& d : elenco) {
    j.apri('{').chiave("severity").testo(d.livello == gravita::errore ? "error" : "warning");
    j.chiave("code");
    if (d.livello == gravita::errore) {
      j.intero(d.codice);
    } else {
      j.testo(d.nome);
    }
    j.chiave("message").testo(d.messaggio).chiave("file").testo(d.luogo.file);
    j.chiave("line").intero(std::max(d.luogo.riga, 1)).chiave("column").intero(std::max(d.luogo.colonna, 1));
    j.chiave("m");
    if (std::optional<int64_t> m = metro_di(c, d)) {
      j.intero(*m);
    } else {
      j.nullo();
    }
    j.chiave("notes").apri('[');
    for (const nota_diagnostica& n : d.note) {
      j.apri('{').chiave("message").testo(n.messaggio).chiave("src");
      c.src(j, n.luogo);
      j.chiudi('}');
    }
    j.chiudi(']').chiudi('}');
  }
  j.chiudi(']');
}

// Where the load stopped: its first error, unless that error stops nothing (a post off
// the 50 m step is found after the load, the passes' codes and a taken header slot
// come after it).
void arresto(json& j, contesto& c) {
  for (const diagnostica& d : c.e.diagnostiche) {
    if (d.livello != gravita::errore) continue;
    if (d.codice == 2 || d.codice == 11 || d.codice == 12 || d.codice == 13) continue;
    j.apri('{').chiave("code").intero(d.codice).chiave("m");
    if (std::optional<int64_t> m = metro_di(c, d)) {
      j.intero(*m);
    } else {
      j.nullo();
    }
    j.chiave("file").testo(d.luogo.file).chiave("line").intero(d.luogo.riga);
    j.chiave("message").testo(d.messaggio).chiudi('}');
    return;
  }
  j.nullo();
}

}  // namespace

std::string dati_vista_json(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& richiesta) {
  esito_controllo controllo = controlla_compilando(sorgenti, richiesta);
  const esito_compilazione& e = controllo.compilazione;
  contesto c{e, {}, {}, {}};
  for (const auto& [nome, testo] : sorgenti.file) c.righe[nome] = righe_di(testo);
  c.indice = indice_record(c.righe);

  const scenario_compilato& s = e.scenario;
  auto in_griglia = static_cast<int64_t>(s.griglia.size()) * metri_cella;
  int64_t lunghezza = s.tabella[voce_dati_treno].valore_b;
  if (lunghezza <= 0 || lunghezza > in_griglia) lunghezza = in_griglia;
  auto celle = static_cast<size_t>((lunghezza + metri_cella - 1) / metri_cella);

  json j;
  j.apri('{');
  j.chiave("line").testo(richiesta.linea).chiave("train").testo(richiesta.treno);
  j.chiave("files").apri('{').chiave("line").testo(nome_file_linea(richiesta.linea));
  j.chiave("service").testo(nome_file_servizio(richiesta.linea, richiesta.treno)).chiudi('}');
  j.chiave("length").intero(lunghezza).chiave("grid_end").intero(in_griglia);
  j.chiave("code").intero(e.codice_errore()).chiave("position").intero(e.posizione_errore());
  j.chiave("stop");
  arresto(j, c);
  j.chiave("plan");
  piano(j, s.tracciato, lunghezza);
  j.chiave("speed");
  tratti(j, c, celle, velocita_di, "velocit");
  j.chiave("gradient");
  tratti(j, c, celle, pendenza_di, "pendenza");
  j.chiave("adhesion");
  tratti(j, c, celle, aderenza_di, "aderenza");
  j.chiave("tunnels");
  tratti(j, c, celle, montagna_di, "montagna");
  j.chiave("curves");
  curve(j, c);
  j.chiave("slowdowns");
  rallentamenti(j, c);
  j.chiave("stations");
  stazioni(j, c);
  j.chiave("objects");
  oggetti(j, c);
  j.chiave("km_posts").apri('[');
  for (int i : {voce_progressiva_uno, voce_progressiva_due, voce_progressiva_tre}) {
    const voce& v = s.tabella[static_cast<size_t>(i)];
    if (v.valore_a == 0 && v.valore_b == 0) continue;
    j.apri('{').chiave("entry").intero(i).chiave("m").intero(v.valore_a).chiave("km").intero(v.valore_b).chiudi('}');
  }
  j.chiudi(']');
  j.chiave("diagnostics");
  diagnostiche(j, c, controllo.diagnostiche);
  // Last: the text of every line named above.
  j.chiave("sources").apri('{');
  std::string file_aperto;
  for (const auto& [file, riga] : c.citate) {
    const std::vector<std::string>& testo = c.righe[file];
    if (riga < 1 || static_cast<size_t>(riga) > testo.size()) continue;
    if (file != file_aperto) {
      if (!file_aperto.empty()) j.chiudi('}');
      j.chiave(file).apri('{');
      file_aperto = file;
    }
    j.chiave(std::to_string(riga)).testo(in_utf8(testo[static_cast<size_t>(riga) - 1]));
  }
  if (!file_aperto.empty()) j.chiudi('}');
  j.chiudi('}').chiudi('}');

  // Inside an HTML script element "</" could end it early; "<\/" reads the same in JSON.
  std::string t = j.risultato();
  for (size_t p = t.find("</"); p != std::string::npos; p = t.find("</", p + 3)) t.replace(p, 2, "<\\/");
  return t;
}
