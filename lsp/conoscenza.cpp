// The formats as the server sees them, from the loader's tables.
#include "lsp/conoscenza.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "loader/campi_record.h"
#include "loader/parole_chiave.h"
#include "model/chilometri.h"
#include "model/maiuscole.h"
#include "model/regole_griglia.h"
#include "model/testo_unicode.h"

namespace {

constexpr std::string_view spazi = " \t";

std::string_view senza_spazi(std::string_view t) {
  size_t inizio = t.find_first_not_of(spazi);
  if (inizio == std::string_view::npos) return {};
  return t.substr(inizio, t.find_last_not_of(spazi) - inizio + 1);
}

struct sezione_nota {
  tipo_sorgente tipo;
  const char* nome;
  const char* descrizione;
  std::vector<const char*> parole;
};

const std::vector<sezione_nota>& sezioni_note() {
  static const std::vector<sezione_nota> s = {
      {tipo_sorgente::linea, "[generale]", "the general part: route length, kilometre posts, backgrounds, cab signalling",
       {"lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
        "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre", "ripetizione segnali 9 codici"}},
      {tipo_sorgente::linea, "[curve]", "curves (curvad1 to curvas6): they shape the plan",
       {"curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6", "curvas1", "curvas2", "curvas3", "curvas4",
        "curvas5", "curvas6"}},
      {tipo_sorgente::linea, "[pendenze]", "gradient changes (pendenza)", {"pendenza"}},
      {tipo_sorgente::linea, "[montagne]", "mountain (tunnel) stretches (montagna)", {"montagna"}},
      {tipo_sorgente::linea, "[cartelli]", "speed-indicator boards (indicatori_vmax)", {"indicatori_vmax"}},
      {tipo_sorgente::linea, "[indicazioni]", "signboards (cartello_indicatore)", {"cartello_indicatore"}},
      {tipo_sorgente::linea, "[fine]", "the end of the file: the last field of a file is never acted on", {}},
      {tipo_sorgente::servizio, "[generale]", "the train's figures: braked mass, coaches, sand, clock",
       {"percentuale massa frenata", "numero vetture", "sabbia", "orologio"}},
      {tipo_sorgente::servizio, "[aderenze]", "adhesion stretches (aderenza)", {"aderenza"}},
      {tipo_sorgente::servizio, "[vel_limite]", "line speed limits (velocita)", {"velocita"}},
      {tipo_sorgente::servizio, "[stazioni]", "stations (stazione), in ascending order", {"stazione"}},
      {tipo_sorgente::servizio, "[rallentamenti]", "slowdowns (rallentamento)", {"rallentamento"}},
      {tipo_sorgente::servizio, "[segnali]", "signals (segnale)", {"segnale"}},
      {tipo_sorgente::servizio, "[codici]", "code reductions (abbattimento)", {"abbattimento"}},
      {tipo_sorgente::servizio, "[fine]", "the end of the file: the last field of a file is never acted on", {}},
  };
  return s;
}

const sezione_nota* trova_sezione(tipo_sorgente tipo, std::string_view sezione) {
  std::string cercata = minuscolo(std::string(senza_spazi(sezione)));
  for (const sezione_nota& s : sezioni_note()) {
    if (s.tipo == tipo && cercata == s.nome) return &s;
  }
  return nullptr;
}

const forma_record* forma_della_parola(tipo_sorgente tipo, std::string_view parola, parte_file parte) {
  if (tipo == tipo_sorgente::linea && parte == parte_file::generale) {
    auto r = record_generali(parola);
    return r.empty() ? nullptr : &forma(r[0]);
  }
  if (tipo == tipo_sorgente::linea) {
    auto r = record_del_corpo(parola, true);
    return r.empty() ? nullptr : &forma(r[0]);
  }
  auto r = record_del_servizio(parola);
  return r.empty() ? nullptr : &forma(r[0]);
}

std::optional<long long> numero(std::string_view t) {
  long long v = 0;
  auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (errore != std::errc() || fine != t.data() + t.size() || t.empty()) return std::nullopt;
  return v;
}

std::string metri_celle(long long da) {
  return std::to_string(50 * da) + " to " + std::to_string(50 * da + 49) + " m";
}

bool nome_e(const forma_record& f, const char* nome) { return std::strcmp(f.nome, nome) == 0; }

// A snippet's placeholder text: the short name in parentheses where a field has one,
// else its meaning; the snippet's special characters escaped.
std::string segnaposto(const std::string& significato) {
  std::string t = significato;
  size_t aperta = t.rfind('('), chiusa = t.rfind(')');
  if (aperta != std::string::npos && chiusa != std::string::npos && chiusa > aperta + 1) {
    t = t.substr(aperta + 1, chiusa - aperta - 1);
  }
  std::string s;
  for (char c : t) {
    if (c == '$' || c == '}' || c == '\\') s += '\\';
    s += c;
  }
  return s;
}

}  // namespace

bool campo_di_testo(const forma_record* f, int indice) {
  if (f == nullptr) return true;
  return (std::strcmp(f->nome, "cartello_indicatore") == 0 && indice == 3) ||
         (std::strcmp(f->nome, "stazione") == 0 && indice == 18);
}

std::string snippet_record(std::string_view parola, const forma_record& f) {
  std::string corpo(parola);
  for (size_t i = 0; i < f.campi.size(); ++i) {
    corpo += ", ${";
    corpo += std::to_string(i + 1);
    corpo += ':';
    corpo += segnaposto(f.campi[i]);
    corpo += '}';
  }
  return corpo;
}

std::string in_km(long long metri) { return "km " + in_chilometri(metri, forma_km::tre_cifre); }

std::vector<campo_riga> campi_di(std::string_view riga, const forma_record* f) {
  std::vector<campo_riga> campi;
  size_t i = 0;
  auto salta_spazi = [&] {
    while (i < riga.size() && (riga[i] == ' ' || riga[i] == '\t')) ++i;
  };
  for (int indice = 1; i <= riga.size(); ++indice) {
    salta_spazi();
    if (i >= riga.size() && indice > 1) break;
    size_t inizio = i;
    bool testo = indice == 1 || campo_di_testo(f, indice);
    if (testo) {
      while (i < riga.size() && riga[i] != ',') ++i;
    } else {
      while (i < riga.size() && riga[i] != ',' && riga[i] != ' ' && riga[i] != '\t') ++i;
    }
    size_t fine = i;
    if (testo) {
      while (fine > inizio && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t')) --fine;
    }
    campi.push_back({static_cast<int>(inizio) + 1, static_cast<int>(fine) + 1,
                     std::string(riga.substr(inizio, fine - inizio)), indice});
    if (!testo) salta_spazi();
    if (i < riga.size() && riga[i] == ',') {
      ++i;
    } else if (i >= riga.size()) {
      break;
    }
    if (f != nullptr && indice > static_cast<int>(f->campi.size())) break;
  }
  return campi;
}

namespace {

// The first field of a line, blanks around it removed: a keyword or a header.
std::string_view chiave_di(std::string_view riga) {
  return senza_spazi(riga.substr(0, std::min(riga.find(','), riga.size())));
}

// A line's kind as far as the part and the section go (a record's line is `ignota`
// until its keyword is looked up), and `s` moved on past it.
tipo_riga avanza(tipo_sorgente tipo, std::string_view chiave, stato_righe& s) {
  if (chiave.empty()) return tipo_riga::vuota;
  if (s.parte == parte_file::preambolo) {
    if (!e_generale(chiave)) return tipo_riga::nota;
    // The service file has no general part: everything after [generale] is one body.
    s.parte = tipo == tipo_sorgente::linea ? parte_file::generale : parte_file::corpo;
  } else if (chiave.find('-') != std::string_view::npos) {
    return tipo_riga::nota;
  } else if (chiude_parte_generale(chiave)) {
    s.parte = parte_file::corpo;
  } else {
    return tipo_riga::ignota;
  }
  s.sezione = std::string(chiave);
  return tipo_riga::intestazione;
}

// Line `n`, `riga`, analysed where the lines before it left `s`, which it moves on.
riga_analizzata analizza_una(tipo_sorgente tipo, std::string_view riga, size_t n, stato_righe& s) {
  riga_analizzata r;
  r.riga = static_cast<int>(n);
  std::string_view chiave = chiave_di(riga);
  r.tipo = avanza(tipo, chiave, s);
  if (r.tipo == tipo_riga::ignota) {
    if (tipo == tipo_sorgente::linea && s.parte == parte_file::generale) {
      for (record_generale g : record_generali(chiave)) r.record.push_back(&forma(g));
    } else if (tipo == tipo_sorgente::linea) {
      for (record_corpo c : record_del_corpo(chiave, true)) r.record.push_back(&forma(c));
    } else {
      for (record_servizio x : record_del_servizio(chiave)) r.record.push_back(&forma(x));
    }
    if (!r.record.empty()) r.tipo = tipo_riga::record;
  }
  r.parte = s.parte;
  r.sezione = s.sezione;
  r.campi = campi_di(riga, r.record.empty() ? nullptr : r.record[0]);
  return r;
}

}  // namespace

std::vector<riga_analizzata> analizza(tipo_sorgente tipo, const std::vector<std::string_view>& righe, size_t da,
                                      size_t a) {
  std::vector<riga_analizzata> risultato;
  stato_righe s = stato_dopo(tipo, righe, da);
  for (size_t n = da; n < std::min(a, righe.size()); ++n) risultato.push_back(analizza_una(tipo, righe[n], n, s));
  return risultato;
}

stato_righe stato_dopo(tipo_sorgente tipo, const std::vector<std::string_view>& righe, size_t n) {
  stato_righe s;
  for (size_t k = 0; k < std::min(n, righe.size()); ++k) avanza(tipo, chiave_di(righe[k]), s);
  return s;
}

std::vector<std::string> sezioni_di(tipo_sorgente tipo) {
  std::vector<std::string> s;
  for (const char* const* n = tipo == tipo_sorgente::linea ? sezioni_linea : sezioni_servizio; *n != nullptr; ++n) {
    s.emplace_back(*n);
  }
  return s;
}

std::string descrizione_sezione(tipo_sorgente tipo, std::string_view sezione) {
  const sezione_nota* s = trova_sezione(tipo, sezione);
  return s == nullptr ? std::string() : s->descrizione;
}

std::string titolo_record(const forma_record& f) {
  static const std::pair<const char*, const char*> titoli[] = {
      {"lunghezza percorso", "route length"},
      {"progressiva chilometrica tre", "kilometre-post record"},
      {"progressiva chilometrica due", "kilometre-post record"},
      {"progressiva chilometrica uno", "kilometre-post record"},
      {"sfondo uno", "scenery background"},
      {"sfondo due", "scenery background"},
      {"sfondo tre", "scenery background"},
      {"ripetizione segnali 9 codici", "cab-signalling stretch"},
      {"pendenza", "gradient change"},
      {"curva", "curve: the key is curva, then s for left-hand (else right-hand), then the class 1 to 6"},
      {"montagna", "mountain (tunnel) stretch"},
      {"indicatori_vmax", "speed-indicator board"},
      {"cartello_indicatore", "signboard"},
      {"percentuale massa frenata", "braked mass percentage"},
      {"numero vetture", "number of coaches"},
      {"velocita", "line speed limit"},
      {"aderenza", "adhesion"},
      {"orologio", "clock at the start"},
      {"sabbia", "sand supply"},
      {"segnale", "signal"},
      {"rallentamento", "slowdown (temporary speed restriction)"},
      {"abbattimento", "code reduction"},
      {"stazione", "station"},
  };
  for (const auto& [nome, titolo] : titoli) {
    if (nome_e(f, nome)) return titolo;
  }
  return f.nome;
}

std::vector<parola_proposta> parole_per(tipo_sorgente tipo, parte_file parte, std::string_view sezione) {
  std::vector<parola_proposta> parole;
  const sezione_nota* s = trova_sezione(tipo, sezione);
  std::span<const char* const> tutte = tipo == tipo_sorgente::linea ? parole_scritte_linea() : parole_scritte_servizio();
  for (const char* p : tutte) {
    const forma_record* f = forma_della_parola(tipo, p, parte);
    if (f == nullptr) continue;  // a keyword of the other part of the line file
    bool adatta = s != nullptr && std::find_if(s->parole.begin(), s->parole.end(), [&](const char* q) {
                                    return std::strcmp(p, q) == 0;
                                  }) != s->parole.end();
    parole.push_back({p, f, adatta});
  }
  std::stable_partition(parole.begin(), parole.end(), [](const parola_proposta& p) { return p.adatta; });
  return parole;
}

std::string testo_record(const forma_record& f) {
  std::string t = "**" + std::string(f.nome) + "**: " + titolo_record(f) + "\n\n";
  for (size_t i = 0; i < f.campi.size(); ++i) {
    t += std::to_string(i + 1) + ". " + f.campi[i] + "\n";
  }
  return t;
}

namespace {

// A field in metres that is not a length: a position along the route.
bool in_metri(const std::string& significato) { return significato.find("in metres") != std::string::npos; }
bool posizione(const std::string& significato) {
  return in_metri(significato) && significato.find("length") == std::string::npos;
}

}  // namespace

namespace {

bool campo_posizione(const forma_record& f, const campo_riga& c) {
  size_t n = static_cast<size_t>(c.indice - 2);
  return c.indice >= 2 && n < f.campi.size() && posizione(f.campi[n]);
}

}  // namespace

std::string km_posizione(const forma_record& f, const campo_riga& c) {
  std::optional<long long> v = campo_posizione(f, c) ? numero(c.testo) : std::nullopt;
  return v ? in_km(*v) : std::string();
}

std::optional<long long> metri_record(const riga_analizzata& r) {
  if (r.tipo != tipo_riga::record || r.record.empty()) return std::nullopt;
  for (const campo_riga& c : r.campi) {
    if (campo_posizione(*r.record[0], c)) return numero(c.testo);
  }
  return std::nullopt;
}

std::string testo_campo(const forma_record& f, const campo_riga& c) {
  size_t n = static_cast<size_t>(c.indice - 2);
  if (c.indice < 2 || n >= f.campi.size()) {
    return "a field after the last of **" + std::string(f.nome) + "**, which has " + std::to_string(f.campi.size()) +
           ": it is read as the next record's keyword";
  }
  std::string significato = f.campi[n];
  std::string t = "**" + std::string(f.nome) + "**, " + ordinale(c.indice - 1) + " field: " + significato;
  std::optional<long long> v = numero(c.testo);
  if (campo_di_testo(&f, c.indice)) {
    t += "\n\ntext: " + std::to_string(c.testo.size()) + " characters, no comma";
    return t;
  }
  if (c.testo.empty()) return t + "\n\nempty: read as 0";
  if (!v) return t + "\n\nnot a whole number: the compiler stops here (code 25)";
  bool metri = in_metri(significato);
  if (posizione(significato)) {
    t += "\n\n" + std::to_string(*v) + " m = " + in_km(*v);
    bool oggetto = (nome_e(f, "segnale") || nome_e(f, "indicatori_vmax") || nome_e(f, "cartello_indicatore") ||
                    nome_e(f, "rallentamento")) && c.indice == 2;
    bool tratto = (nome_e(f, "pendenza") || nome_e(f, "velocita") || nome_e(f, "aderenza") ||
                   nome_e(f, "montagna")) && c.indice == 2;
    if (oggetto) {
      long long k = cella_di(*v);
      t += "; the object stands in cell " + std::to_string(k) + " (" + metri_celle(k) + ")";
    } else if (tratto) {
      long long k = cella_della_posizione(*v);
      t += "; the value holds from cell " + std::to_string(k) + " (" + metri_celle(k) + ")";
    } else if (nome_e(f, "abbattimento") && c.indice == 2) {
      long long k = *v >= 0 ? *v / 50 : -((-*v + 49) / 50);
      t += "; the code point stands in the cell that holds it, cell " + std::to_string(k);
    }
    if (*v % 50 != 0) t += "\n\nnot a multiple of 50 m: rounded to a cell";
  } else if (metri) {
    t += "\n\n" + std::to_string(*v) + " m";
  }
  if (nome_e(f, "velocita") && c.indice == 3) {
    long long passo = arrotonda(static_cast<double>(*v) / 5.0);
    t += "\n\nkept in steps of 5 km/h: " + std::to_string(5 * passo) + " km/h (stored " + std::to_string(passo) + ")";
  }
  return t;
}

namespace {

std::string campo(const riga_analizzata& r, int indice) {
  for (const campo_riga& c : r.campi) {
    if (c.indice == indice) return c.testo;
  }
  return {};
}

std::string km_campo(const riga_analizzata& r, int indice) {
  std::optional<long long> v = numero(campo(r, indice));
  return v ? in_km(*v) : std::string();
}

simbolo simbolo_record(const riga_analizzata& r) {
  const forma_record& f = *r.record[0];
  simbolo s;
  s.riga = s.riga_fine = r.riga;
  s.nome = r.campi.empty() ? std::string(f.nome) : r.campi[0].testo;
  s.inizio = r.campi.empty() ? 1 : r.campi[0].inizio;
  s.fine = r.campi.empty() ? 1 : r.campi[0].fine;
  s.tipo = 14;  // Constant
  auto da_a = [&](int a, int b) {
    std::string da = km_campo(r, a), fino = km_campo(r, b);
    return da.empty() || fino.empty() ? da : da + " to " + fino.substr(3);
  };
  if (nome_e(f, "stazione")) {
    s.tipo = 5;  // Class
    for (const campo_riga& c : r.campi) {
      if (c.indice == 18 && !c.testo.empty()) {
        s.nome = in_utf8(c.testo);
        s.inizio = c.inizio;
        s.fine = c.fine;
      }
    }
    s.dettaglio = km_campo(r, 2);
  } else if (nome_e(f, "segnale")) {
    s.tipo = 24;  // Event
    s.dettaglio = km_campo(r, 2);
  } else if (nome_e(f, "montagna")) {
    s.tipo = 19;  // Object
    s.dettaglio = da_a(2, 3) + (campo(r, 4).empty() ? "" : ", kind " + campo(r, 4));
  } else if (nome_e(f, "curva")) {
    s.tipo = 12;  // Function
    s.dettaglio = km_campo(r, 2) + (campo(r, 3).empty() ? "" : ", " + campo(r, 3) + " m");
  } else if (nome_e(f, "velocita")) {
    s.tipo = 16;  // Number
    s.dettaglio = campo(r, 3) + " km/h from " + km_campo(r, 2);
  } else if (nome_e(f, "pendenza")) {
    s.tipo = 16;
    s.dettaglio = campo(r, 3) + " per mille from " + km_campo(r, 2);
  } else if (nome_e(f, "aderenza")) {
    s.tipo = 16;
    s.dettaglio = campo(r, 3) + " from " + km_campo(r, 2);
  } else if (nome_e(f, "rallentamento")) {
    s.tipo = 20;  // Key
    std::optional<long long> x = numero(campo(r, 2)), l = numero(campo(r, 4));
    s.dettaglio = campo(r, 3) + " km/h, " + (x && l ? in_km(*x) + " to " + in_km(*x + *l).substr(3) : km_campo(r, 2));
  } else if (nome_e(f, "cartello_indicatore")) {
    s.tipo = 15;  // String
    s.dettaglio = km_campo(r, 2) + " " + in_utf8(campo(r, 3));
  } else if (nome_e(f, "indicatori_vmax") || nome_e(f, "abbattimento")) {
    s.tipo = 20;
    s.dettaglio = km_campo(r, 2);
  }
  s.nome = in_utf8(s.nome);
  if (s.nome.empty()) s.nome = f.nome;
  return s;
}

}  // namespace

std::vector<simbolo> simboli(const std::vector<riga_analizzata>& righe) {
  std::vector<simbolo> radice;
  simbolo* sezione = nullptr;
  for (const riga_analizzata& r : righe) {
    if (r.tipo == tipo_riga::intestazione) {
      simbolo s;
      s.nome = in_utf8(r.sezione);
      s.tipo = 3;  // Namespace
      s.riga = s.riga_fine = r.riga;
      s.inizio = r.campi.empty() ? 1 : r.campi[0].inizio;
      s.fine = r.campi.empty() ? 1 : r.campi[0].fine;
      radice.push_back(std::move(s));
      sezione = &radice.back();
    } else if (r.tipo == tipo_riga::record) {
      (sezione != nullptr ? sezione->figli : radice).push_back(simbolo_record(r));
    }
    if (sezione != nullptr && r.tipo != tipo_riga::vuota) sezione->riga_fine = r.riga;
  }
  return radice;
}
