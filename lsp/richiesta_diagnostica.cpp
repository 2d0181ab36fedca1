// Publishing diagnostics: a pair checked, its diagnostics placed in the editor's
// terms, and published unless a newer text has come meanwhile.
#include "lsp/richiesta_diagnostica.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "compiler/controllo.h"
#include "loader/esito_caricamento.h"
#include "model/testo_unicode.h"

namespace {

// The anchor of the reference's section on a code or a warning's name; empty when
// there is no reference to link to or no such section.
std::string ancora_riferimento(const opzioni_lsp& opzioni, const std::string& chi) {
  if (opzioni.riferimento_uri.empty() || opzioni.riferimento == nullptr || opzioni.sezione == nullptr) return {};
  std::string sezione = opzioni.sezione(opzioni.riferimento, chi);
  // A heading's anchor as Markdown viewers make it: "### Code 16" is #code-16,
  // "### `a`, `b`" is #a-b.
  std::string titolo = sezione.substr(0, sezione.find('\n'));
  titolo.erase(0, titolo.find_first_not_of("# "));
  std::string ancora;
  for (char c : titolo) {
    unsigned char u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '_') ancora += static_cast<char>(std::tolower(u));
    if (c == ' ') ancora += '-';
  }
  return ancora;
}

// The diagnostics of a pair as the compiler's check gives them.
std::vector<diagnostica> diagnostiche_di(const coppia_trovata& c) {
  richiesta_caricamento r;
  r.linea = c.linea;
  r.treno = c.treno;
  sorgenti_in_memoria sorgenti;
  for (const file_coppia& f : c.files) {
    if (f.testo) sorgenti.file[f.nome] = f.testo->byte();
  }
  std::vector<diagnostica> diagnostiche = controlla_sorgenti(sorgenti, r);
  // A line file with no service file beside it is checked alone: what the missing
  // file brings is said once, as information.
  const std::string& nome_servizio = c.files[1].nome;
  if (c.da_sola) std::erase_if(diagnostiche, [&](const diagnostica& d) { return d.luogo.file == nome_servizio; });
  return diagnostiche;
}

// The compiler's diagnostics of one pair as published: placed in the file they name,
// or, for a file that is not there, in the one that was opened (`principale`).
class traduzione {
 public:
  traduzione(const coppia_trovata& c, const file_coppia& principale, const opzioni_lsp& opzioni,
             codifica_posizioni codifica)
      : coppia_(c), principale_(principale), opzioni_(opzioni), codifica_(codifica) {}

  // Every diagnostic, by the uri it is shown in; each file of the pair that has a text
  // is there, with none if need be.
  std::map<std::string, std::vector<pubblicata>> per_uri(const std::vector<diagnostica>& diagnostiche) const {
    std::map<std::string, std::vector<pubblicata>> r;
    for (const file_coppia& f : coppia_.files) {
      if (f.testo) r[f.uri];
    }
    for (const diagnostica& d : diagnostiche) {
      const file_coppia* f = file_di(d.luogo.file);
      r[(f == nullptr ? principale_ : *f).uri].push_back(traduci(d, f));
    }
    return r;
  }

 private:
  const file_coppia* file_di(const std::string& nome) const {
    for (const file_coppia& f : coppia_.files) {
      if (f.nome == nome && f.testo) return &f;
    }
    return nullptr;
  }

  intervallo_lsp intervallo_di(const luogo_sorgente& l, const file_coppia& f) const {
    const testo_sorgente& t = *f.testo;
    if (l.riga <= 0 || file_di(l.file) == nullptr) return intervallo_lsp{{0, 0}, t.fine_riga(0, codifica_)};
    if (l.colonna <= 0) return intervallo_lsp{{l.riga - 1, 0}, t.fine_riga(l.riga - 1, codifica_)};
    return intervallo_lsp{t.verso_lsp(l.riga, l.colonna, codifica_),
                          t.verso_lsp(l.riga_fine_mostrata(), l.colonna_fine_mostrata(), codifica_)};
  }

  // `d`, shown in `f` (null: in the opened file, its message naming its own file).
  pubblicata traduci(const diagnostica& d, const file_coppia* f) const {
    std::string messaggio = utf8_sicuro(d.messaggio);
    if (f == nullptr) {
      f = &principale_;
      messaggio = utf8_sicuro(d.luogo.file) + ": " + messaggio;
    }
    pubblicata p;
    p.intervallo = intervallo_di(d.luogo, *f);
    bool errore = d.livello == gravita::errore;
    p.chi = errore ? std::to_string(d.codice) : d.nome;
    p.diagnostica = {{"range", intervallo_json(p.intervallo)},
                     {"severity", errore ? 1 : 2},
                     {"source", "scenario_tool"},
                     {"message", messaggio}};
    if (errore) {
      p.diagnostica["code"] = d.codice;
    } else {
      p.diagnostica["code"] = d.nome;
    }
    aggiungi_note(d, p);
    if (std::string ancora = ancora_riferimento(opzioni_, p.chi); !ancora.empty()) {
      p.diagnostica["codeDescription"] = {{"href", opzioni_.riferimento_uri + "#" + ancora}};
    }
    for (const correzione& c : d.correzioni) {
      const file_coppia* fc = file_di(c.luogo.file);
      if (fc == nullptr) continue;
      p.correzioni.push_back({fc->uri, {{"range", intervallo_json(intervallo_di(c.luogo, *fc))},
                                        {"newText", in_utf8(c.sostituzione)}}});
    }
    return p;
  }

  // The notes as related information, and the places of those in a file of the pair
  // for go to definition.
  void aggiungi_note(const diagnostica& d, pubblicata& p) const {
    json correlate = json::array();
    for (const nota_diagnostica& n : d.note) {
      const file_coppia* fn = file_di(n.luogo.file);
      if (fn == nullptr) fn = &principale_;
      json luogo = {{"uri", fn->uri}, {"range", intervallo_json(intervallo_di(n.luogo, *fn))}};
      correlate.push_back({{"location", luogo}, {"message", utf8_sicuro(n.messaggio)}});
      if (n.luogo.riga > 0 && file_di(n.luogo.file) != nullptr) p.note.push_back(luogo);
    }
    if (!correlate.empty()) p.diagnostica["relatedInformation"] = correlate;
  }

  const coppia_trovata& coppia_;
  const file_coppia& principale_;
  const opzioni_lsp& opzioni_;
  codifica_posizioni codifica_;
};

// The information that a line file is checked alone, first on its list.
pubblicata avviso_da_sola(const file_coppia& linea, const std::string& nome_linea, codifica_posizioni codifica) {
  pubblicata p;
  p.intervallo = {{0, 0}, linea.testo->fine_riga(0, codifica)};
  p.diagnostica = {{"range", intervallo_json(p.intervallo)},
                   {"severity", 3},
                   {"source", "scenario_tool"},
                   {"message", "no service description " + utf8_sicuro(nome_linea) +
                                   "_TRAIN-.txt in this folder: the line description is checked alone"}};
  return p;
}

// A pair with a file that may not be checked (lsp/archivio_documenti.h): that alone is
// said, on the first line of each file of the pair that has a text, in the words of
// `check` ("NAME: larger than 16777216 bytes"); nothing is checked.
std::map<std::string, std::vector<pubblicata>> rifiuto_coppia(const coppia_trovata& c, const file_coppia& rifiutato,
                                                              codifica_posizioni codifica) {
  std::map<std::string, std::vector<pubblicata>> per_uri;
  for (const file_coppia& f : c.files) {
    if (!f.testo) continue;
    pubblicata p;
    p.intervallo = {{0, 0}, f.testo->fine_riga(0, codifica)};
    p.diagnostica = {{"range", intervallo_json(p.intervallo)},
                     {"severity", 1},
                     {"source", "scenario_tool"},
                     {"message", utf8_sicuro(rifiutato.nome) + ": " + rifiutato.rifiuto}};
    per_uri[f.uri].push_back(std::move(p));
  }
  return per_uri;
}

// The pair of `uri` checked; it reads `a` and the disk, nothing else, and runs on any
// thread.
esito_coppia controlla_coppia(const std::string& uri, const analisi_diagnostiche& a) {
  esito_coppia e;
  if (tipo_di(nome_uri(uri)) == tipo_sorgente::altro) return e;
  coppia_trovata c = coppia_di(a.documenti, uri, a.legge_disco);
  const file_coppia *principale = nullptr, *rifiutato = nullptr;
  for (const file_coppia& f : c.files) {
    e.generazioni.emplace_back(f.uri, f.generazione);
    if (f.uri == uri) principale = &f;
    if (!f.rifiuto.empty() && rifiutato == nullptr) rifiutato = &f;
  }
  if (principale == nullptr) return e;  // a name that makes no pair (such as "A_-.txt")
  if (rifiutato != nullptr) {
    e.per_uri = rifiuto_coppia(c, *rifiutato, a.codifica);
    return e;
  }
  e.per_uri = traduzione(c, *principale, a.opzioni, a.codifica).per_uri(diagnostiche_di(c));
  if (c.da_sola && principale->nome == c.files[0].nome) {
    std::vector<pubblicata>& lista = e.per_uri[principale->uri];
    lista.insert(lista.begin(), avviso_da_sola(*principale, c.linea, a.codifica));
  }
  return e;
}

// The lists of a pair published and kept, each file's unless a later generation was
// published for it meanwhile (a file closed, say).
std::vector<json> registra(esito_coppia e, const archivio_documenti& documenti, diagnostiche_pubblicate& pubblicate) {
  std::vector<json> uscita;
  std::set<std::string> uris;
  for (const auto& [u, lista] : e.per_uri) uris.insert(u);
  uint64_t generazione = 0;
  for (const auto& [u, g] : e.generazioni) generazione = std::max(generazione, g);
  for (auto& [u, lista] : e.per_uri) {
    if (pubblicate.generazione[u] > generazione && generazione != 0) continue;
    pubblicate.generazione[u] = generazione;
    json elenco = json::array();
    for (const pubblicata& p : lista) elenco.push_back(p.diagnostica);
    json parametri = {{"uri", u}, {"diagnostics", elenco}};
    if (const documento* d = documenti.aperto(u)) parametri["version"] = d->versione;
    uscita.push_back(notifica_rpc("textDocument/publishDiagnostics", parametri));
    pubblicate.per_uri[u] = std::move(lista);
    pubblicate.compagni[u] = uris;
    pubblicate.compagni[u].erase(u);
  }
  return uscita;
}

}  // namespace

analisi_diagnostiche prendi_analisi(archivio_documenti& documenti, const opzioni_lsp& opzioni,
                                    codifica_posizioni codifica) {
  std::set<std::string> uris = documenti.prendi_da_controllare();
  return {{uris.begin(), uris.end()}, documenti.aperti(), documenti.legge_disco(), opzioni, codifica};
}

void esegui_analisi(const analisi_diagnostiche& a, const std::function<void(esito_coppia)>& esito) {
  std::set<std::string> fatti;
  for (const std::string& uri : a.uris) {
    if (fatti.contains(uri) || !a.documenti.contains(uri)) continue;
    esito_coppia e = controlla_coppia(uri, a);
    fatti.insert(uri);
    for (const auto& [u, lista] : e.per_uri) fatti.insert(u);
    if (!e.per_uri.empty()) esito(std::move(e));
  }
}

std::vector<json> concludi_analisi(esito_coppia e, const archivio_documenti& documenti,
                                   diagnostiche_pubblicate& pubblicate) {
  for (const auto& [uri, generazione] : e.generazioni) {
    const documento* d = documenti.aperto(uri);
    if ((d == nullptr ? 0 : d->generazione) != generazione) return {};
  }
  return registra(std::move(e), documenti, pubblicate);
}

std::vector<json> pubblica_diagnostiche(archivio_documenti& documenti, diagnostiche_pubblicate& pubblicate,
                                        const opzioni_lsp& opzioni, codifica_posizioni codifica) {
  std::vector<json> uscita;
  esegui_analisi(prendi_analisi(documenti, opzioni, codifica), [&](esito_coppia e) {
    for (json& j : concludi_analisi(std::move(e), documenti, pubblicate)) uscita.push_back(std::move(j));
  });
  return uscita;
}

void diagnostiche_alla_chiusura(const std::string& uri, archivio_documenti& documenti,
                                diagnostiche_pubblicate& pubblicate, std::vector<json>& uscita) {
  std::set<std::string> da_svuotare{uri};
  for (const std::string& c : pubblicate.compagni[uri]) {
    if (documenti.aperto(c) != nullptr) {
      documenti.da_controllare(c);
    } else {
      da_svuotare.insert(c);
    }
  }
  for (const std::string& u : da_svuotare) {
    pubblicate.per_uri.erase(u);
    pubblicate.compagni.erase(u);
    pubblicate.generazione[u] = documenti.nuova_generazione();
    uscita.push_back(notifica_rpc("textDocument/publishDiagnostics", {{"uri", u}, {"diagnostics", json::array()}}));
  }
}
