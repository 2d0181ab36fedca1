// The handlers of the language server.
#include "lsp/servitore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "compiler/controllo.h"
#include "loader/caricatore.h"
#include "lsp/conoscenza.h"
#include "model/nomi_file.h"
#include "model/testo_unicode.h"
#include "platform/percorso.h"

namespace {

std::string minuscole(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The changes of a didChange as the store takes them.
std::vector<cambiamento> cambiamenti_di(const json& lista) {
  std::vector<cambiamento> cambiamenti;
  for (const json& c : lista) {
    cambiamento x;
    if (c.contains("range")) x.dove = intervallo_lsp{posizione_di(c.at("range").at("start")), posizione_di(c.at("range").at("end"))};
    x.testo = c.at("text").get<std::string>();
    cambiamenti.push_back(std::move(x));
  }
  return cambiamenti;
}

}  // namespace

std::string servitore_lsp::ancora_riferimento(const std::string& chi) const {
  if (opzioni_.riferimento_uri.empty() || opzioni_.riferimento == nullptr || opzioni_.sezione == nullptr) return {};
  std::string sezione = opzioni_.sezione(opzioni_.riferimento, chi);
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

std::optional<json> servitore_lsp::errore_cornice(esito_cornice e) const {
  switch (e) {
    case esito_cornice::senza_misura:
      return errore_rpc(nullptr, errore_analisi, "a message header without a valid Content-Length");
    case esito_cornice::troppo_grande:
      return errore_rpc(nullptr, richiesta_non_valida,
                    "a message longer than " + std::to_string(limite_messaggio) + " bytes was dropped");
    default:
      return std::nullopt;
  }
}

std::vector<json> servitore_lsp::gestisci(const std::string& corpo) {
  json m = json::parse(corpo, nullptr, false);
  if (m.is_discarded()) return {errore_rpc(nullptr, errore_analisi, "the message is not JSON")};
  return gestisci(m);
}

std::vector<json> servitore_lsp::gestisci(const json& m) {
  if (!m.is_object()) return {errore_rpc(nullptr, richiesta_non_valida, "a message is a JSON object")};
  auto metodo = m.find("method");
  auto id = m.find("id");
  bool id_valido = id != m.end() && (id->is_number_integer() || id->is_string());
  if (metodo == m.end() || !metodo->is_string()) {
    // A response to a request of ours (window/showDocument) is passed over.
    if (id != m.end() && (m.contains("result") || m.contains("error"))) return {};
    return {errore_rpc(id_valido ? *id : json(nullptr), richiesta_non_valida, "a message without a method")};
  }
  if (id != m.end() && !id_valido) return {errore_rpc(nullptr, richiesta_non_valida, "an id is a number or a string")};
  json parametri = m.value("params", json::object());
  std::vector<json> uscita;
  try {
    if (id_valido) return richiesta(*metodo, *id, parametri);
    notifica(*metodo, parametri, uscita);
  } catch (const json::exception& e) {
    if (id_valido) return {errore_rpc(*id, parametri_non_validi, std::string("invalid parameters: ") + e.what())};
  } catch (const std::exception& e) {
    if (id_valido) return {errore_rpc(*id, errore_interno, e.what())};
  }
  return uscita;
}

std::vector<json> servitore_lsp::richiesta(const std::string& metodo, const json& id, const json& p) {
  if (metodo == "initialize") {
    if (inizializzato_) return {errore_rpc(id, richiesta_non_valida, "initialize was already received")};
    inizializzato_ = true;
    return {risposta(id, inizializza(p))};
  }
  if (!inizializzato_) return {errore_rpc(id, non_inizializzato, "the server is not initialized")};
  if (arrestato_) return {errore_rpc(id, richiesta_non_valida, "the server is shut down")};
  if (metodo == "shutdown") {
    arrestato_ = true;
    return {risposta(id, nullptr)};
  }
  if (metodo == "textDocument/hover") return {risposta(id, hover(p))};
  if (metodo == "textDocument/completion") return {risposta(id, completamento(p))};
  if (metodo == "textDocument/documentSymbol") return {risposta(id, simboli_documento(p))};
  if (metodo == "workspace/symbol") return {risposta(id, simboli_area(p))};
  if (metodo == "textDocument/codeAction") return {risposta(id, azioni(p))};
  if (metodo == "textDocument/definition") return {risposta(id, definizione(p))};
  if (metodo == "textDocument/inlayHint") return {risposta(id, suggerimenti(p))};
  if (metodo == "workspace/executeCommand" && opzioni_.apri_vista && p.value("command", "") == "scenario.openView") {
    return apri_vista(id, p);
  }
  return {errore_rpc(id, metodo_ignoto, "unknown method " + metodo)};
}

void servitore_lsp::notifica(const std::string& metodo, const json& p, std::vector<json>& uscita) {
  if (metodo == "exit") {
    uscito_ = true;
    return;
  }
  if (!inizializzato_ || arrestato_) return;
  if (metodo == "textDocument/didOpen") {
    const json& d = p.at("textDocument");
    std::string uri = d.at("uri").get<std::string>();
    std::string testo = d.at("text").get<std::string>();
    documenti_.apri(uri, std::move(testo), d.value("version", int64_t{0}));
  } else if (metodo == "textDocument/didChange") {
    const json& d = p.at("textDocument");
    std::string uri = d.at("uri").get<std::string>();
    std::vector<cambiamento> cambiamenti = cambiamenti_di(p.at("contentChanges"));
    documenti_.cambia(uri, cambiamenti, d.value("version", int64_t{0}), codifica_);
  } else if (metodo == "textDocument/didSave") {
    std::string uri = p.at("textDocument").at("uri").get<std::string>();
    documenti_.salvato(uri);
  } else if (metodo == "textDocument/didClose") {
    std::string uri = p.at("textDocument").at("uri").get<std::string>();
    documenti_.chiudi(uri);
    // The diagnostics of a closed file go with it, and so do its partner's when the
    // partner is not open either; an open partner is checked again without it.
    std::set<std::string> da_svuotare{uri};
    for (const std::string& c : pubblicate_.compagni[uri]) {
      if (documenti_.aperto(c) != nullptr) {
        documenti_.da_controllare(c);
      } else {
        da_svuotare.insert(c);
      }
    }
    for (const std::string& u : da_svuotare) {
      pubblicate_.per_uri.erase(u);
      pubblicate_.compagni.erase(u);
      pubblicate_.generazione[u] = documenti_.nuova_generazione();
      uscita.push_back({{"jsonrpc", "2.0"},
                        {"method", "textDocument/publishDiagnostics"},
                        {"params", {{"uri", u}, {"diagnostics", json::array()}}}});
    }
  }
  // Every other notification ($/cancelRequest, $/setTrace, initialized, ...) needs
  // nothing.
}

json servitore_lsp::inizializza(const json& p) {
  const json generale = p.value("capabilities", json::object()).value("general", json::object());
  for (const json& c : generale.value("positionEncodings", json::array())) {
    if (c == "utf-8") codifica_ = codifica_posizioni::utf8;
  }
  // The older form of the same offer, which some clients still send.
  bool vecchia_offerta = false;
  if (codifica_ == codifica_posizioni::utf16) {
    for (const json& c : p.value("capabilities", json::object()).value("offsetEncoding", json::array())) {
      if (c == "utf-8") codifica_ = codifica_posizioni::utf8, vecchia_offerta = true;
    }
  }
  const json completa = p.value("capabilities", json::object())
                            .value("textDocument", json::object())
                            .value("completion", json::object())
                            .value("completionItem", json::object());
  snippet_ = completa.value("snippetSupport", false);
  // The km beside each position is off unless the client's initialization options
  // ask for it: {"inlayHints": true}.
  const json& iniziali = p.contains("initializationOptions") ? p["initializationOptions"] : json::object();
  suggerimenti_ = iniziali.is_object() && iniziali.value("inlayHints", false) == true;
  mostra_documenti_ = p.value("capabilities", json::object())
                          .value("window", json::object())
                          .value("showDocument", json::object())
                          .value("support", false);
  std::string nome_codifica = codifica_ == codifica_posizioni::utf8 ? "utf-8" : "utf-16";
  json risultato = {
      {"capabilities",
       {{"positionEncoding", nome_codifica},
        {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
        {"hoverProvider", true},
        {"completionProvider", {{"triggerCharacters", {"["}}}},
        {"documentSymbolProvider", true},
        {"workspaceSymbolProvider", true},
        {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
        {"definitionProvider", true}}},
      {"serverInfo", {{"name", "scenario_tool"}, {"version", opzioni_.versione}}}};
  if (opzioni_.apri_vista) {
    risultato["capabilities"]["executeCommandProvider"] = {{"commands", {"scenario.openView"}}};
  }
  if (vecchia_offerta) risultato["offsetEncoding"] = nome_codifica;
  if (suggerimenti_) risultato["capabilities"]["inlayHintProvider"] = true;
  return risultato;
}

std::vector<json> servitore_lsp::pubblica() {
  std::vector<json> uscita;
  std::set<std::string> fatti;
  for (const std::string& uri : documenti_.prendi_da_controllare()) {
    if (!fatti.contains(uri) && documenti_.aperto(uri) != nullptr) controlla_coppia(uri, fatti, uscita);
  }
  return uscita;
}

void servitore_lsp::controlla_coppia(const std::string& uri, std::set<std::string>& fatti, std::vector<json>& uscita) {
  if (tipo_di(nome_uri(uri)) == tipo_sorgente::altro) {
    fatti.insert(uri);
    return;
  }
  coppia_trovata c = documenti_.coppia_di(uri);
  richiesta_caricamento r;
  r.linea = c.linea;
  r.treno = c.treno;
  const std::string nome_servizio = c.files[1].nome;
  std::vector<file_coppia>& files = c.files;
  sorgenti_in_memoria sorgenti;
  for (const file_coppia& f : files) {
    if (f.testo) sorgenti.file[f.nome] = f.testo->byte();
  }

  std::vector<diagnostica> diagnostiche = controlla_sorgenti(sorgenti, r);
  // A line file with no service file beside it is checked alone: what the missing
  // file brings is said once, as information.
  bool da_sola = c.da_sola;
  if (da_sola) std::erase_if(diagnostiche, [&](const diagnostica& d) { return d.luogo.file == nome_servizio; });

  // Still the newest text of every open file of the pair?
  for (const file_coppia& f : files) {
    const documento* d = documenti_.aperto(f.uri);
    if (d != nullptr && d->generazione != f.generazione) return;
  }

  auto file_di = [&](const std::string& n) -> const file_coppia* {
    for (const file_coppia& f : files) {
      if (f.nome == n && f.testo) return &f;
    }
    return nullptr;
  };
  // The file a place is shown in: its own, or, for a file that is not there, the one
  // that was opened.
  const file_coppia* principale = nullptr;
  for (const file_coppia& f : files) {
    if (f.uri == uri) principale = &f;
  }
  if (principale == nullptr) {  // a name that makes no pair (such as "A_-.txt")
    fatti.insert(uri);
    return;
  }
  auto intervallo_di = [&](const luogo_sorgente& l, const file_coppia& f) {
    const testo_sorgente& t = *f.testo;
    if (l.riga <= 0 || file_di(l.file) == nullptr) return intervallo_lsp{{0, 0}, t.fine_riga(0, codifica_)};
    if (l.colonna <= 0) return intervallo_lsp{{l.riga - 1, 0}, t.fine_riga(l.riga - 1, codifica_)};
    return intervallo_lsp{t.verso_lsp(l.riga, l.colonna, codifica_),
                          t.verso_lsp(l.riga_fine_mostrata(), l.colonna_fine_mostrata(), codifica_)};
  };
  std::map<std::string, std::vector<pubblicata>> per_uri;
  for (const file_coppia& f : files) {
    if (f.testo) per_uri[f.uri];
  }
  for (const diagnostica& d : diagnostiche) {
    const file_coppia* f = file_di(d.luogo.file);
    std::string messaggio = utf8_sicuro(d.messaggio);
    if (f == nullptr) {
      f = principale;
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
    json correlate = json::array();
    for (const nota_diagnostica& n : d.note) {
      const file_coppia* fn = file_di(n.luogo.file);
      if (fn == nullptr) fn = principale;
      json luogo = {{"uri", fn->uri}, {"range", intervallo_json(intervallo_di(n.luogo, *fn))}};
      correlate.push_back({{"location", luogo}, {"message", utf8_sicuro(n.messaggio)}});
      if (n.luogo.riga > 0 && file_di(n.luogo.file) != nullptr) p.note.push_back(luogo);
    }
    if (!correlate.empty()) p.diagnostica["relatedInformation"] = correlate;
    if (std::string ancora = ancora_riferimento(p.chi); !ancora.empty()) {
      p.diagnostica["codeDescription"] = {{"href", opzioni_.riferimento_uri + "#" + ancora}};
    }
    for (const correzione& c : d.correzioni) {
      const file_coppia* fc = file_di(c.luogo.file);
      if (fc == nullptr) continue;
      p.correzioni.push_back({fc->uri, {{"range", intervallo_json(intervallo_di(c.luogo, *fc))},
                                        {"newText", in_utf8(c.sostituzione)}}});
    }
    per_uri[f->uri].push_back(std::move(p));
  }
  if (da_sola && principale->nome == files[0].nome) {
    pubblicata p;
    p.intervallo = {{0, 0}, principale->testo->fine_riga(0, codifica_)};
    p.diagnostica = {{"range", intervallo_json(p.intervallo)},
                     {"severity", 3},
                     {"source", "scenario_tool"},
                     {"message", "no service description " + utf8_sicuro(r.linea) +
                                     "_TRAIN-.txt in this folder: the line description is checked alone"}};
    per_uri[principale->uri].insert(per_uri[principale->uri].begin(), std::move(p));
  }
  std::set<std::string> uris;
  for (const auto& [u, lista] : per_uri) uris.insert(u);
  for (auto& [u, lista] : per_uri) {
    fatti.insert(u);
    // Never over a result of a later generation (a file closed meanwhile, say).
    uint64_t generazione = 0;
    for (const file_coppia& f : files) generazione = std::max(generazione, f.generazione);
    if (pubblicate_.generazione[u] > generazione && generazione != 0) continue;
    pubblicate_.generazione[u] = generazione;
    json elenco = json::array();
    for (const pubblicata& p : lista) elenco.push_back(p.diagnostica);
    json parametri = {{"uri", u}, {"diagnostics", elenco}};
    if (const documento* d = documenti_.aperto(u)) parametri["version"] = d->versione;
    uscita.push_back({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", parametri}});
    pubblicate_.per_uri[u] = std::move(lista);
    pubblicate_.compagni[u] = uris;
    pubblicate_.compagni[u].erase(u);
  }
}

json servitore_lsp::hover(const json& p) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti_.aperto(uri);
  if (d == nullptr) return nullptr;
  posizione_lsp pos = posizione_di(p.at("position"));
  auto [riga, colonna] = d->testo.da_lsp(pos, codifica_);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  std::string testo;
  std::optional<intervallo_lsp> dove;
  if (tipo != tipo_sorgente::altro) {
    std::vector<riga_analizzata> righe = analizza(tipo, righe_di(d->testo));
    if (riga - 1 < static_cast<int>(righe.size())) {
      const riga_analizzata& r = righe[static_cast<size_t>(riga - 1)];
      for (const campo_riga& c : r.campi) {
        if (colonna < c.inizio || colonna > c.fine) continue;
        dove = intervallo_lsp{d->testo.verso_lsp(riga, c.inizio, codifica_), d->testo.verso_lsp(riga, c.fine, codifica_)};
        if (r.tipo == tipo_riga::intestazione && c.indice == 1) {
          std::string descrizione = descrizione_sezione(tipo, r.sezione);
          testo = "**" + utf8_sicuro(r.sezione) + "**: " +
                  (descrizione.empty() ? "a header the loader does not know; it is skipped" : descrizione);
        } else if (r.tipo == tipo_riga::record && c.indice == 1) {
          for (const forma_record* f : r.record) testo += testo_record(*f) + "\n";
          if (r.record.size() > 1) testo += "The keyword names " + std::to_string(r.record.size()) +
                                            " records: the values of each are read, one after the other.\n";
        } else if (r.tipo == tipo_riga::record) {
          testo = utf8_sicuro(testo_campo(*r.record[0], c));
        }
        break;
      }
    }
  }
  // The diagnostics here, with their reference.
  if (const std::vector<pubblicata>* lista = pubblicate_.di(uri)) {
    for (const pubblicata& x : *lista) {
      if (!contiene(x.intervallo, pos)) continue;
      if (!testo.empty()) testo += "\n\n---\n\n";
      testo += "**" + x.diagnostica.value("message", std::string()) + "** [" + x.chi + "]";
      if (opzioni_.riferimento != nullptr && opzioni_.sezione != nullptr) {
        std::string sezione = opzioni_.sezione(opzioni_.riferimento, x.chi);
        if (!sezione.empty()) testo += "\n\n" + sezione;
      }
    }
  }
  if (testo.empty()) return nullptr;
  json risultato = {{"contents", {{"kind", "markdown"}, {"value", testo}}}};
  if (dove) risultato["range"] = intervallo_json(*dove);
  return risultato;
}

json servitore_lsp::completamento(const json& p) {
  json elementi = json::array();
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti_.aperto(uri);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  if (d == nullptr || tipo == tipo_sorgente::altro) return elementi;
  posizione_lsp pos = posizione_di(p.at("position"));
  auto [riga, colonna] = d->testo.da_lsp(pos, codifica_);
  std::string_view testo_riga = d->testo.riga_byte(riga - 1);
  std::string_view prima = testo_riga.substr(0, std::min(testo_riga.size(), static_cast<size_t>(colonna - 1)));
  if (prima.find(',') != std::string_view::npos) return elementi;  // not in keyword position
  size_t inizio = std::min(prima.find_first_not_of(" \t"), prima.size());
  intervallo_lsp sostituito{d->testo.verso_lsp(riga, static_cast<int>(inizio) + 1, codifica_), pos};
  // The part and section in effect on the line.
  std::vector<riga_analizzata> righe = analizza(tipo, righe_di(d->testo));
  parte_file parte = parte_file::preambolo;
  std::string sezione;
  for (const riga_analizzata& r : righe) {
    if (r.riga >= riga - 1) break;
    parte = r.parte;
    sezione = r.sezione;
  }
  auto elemento = [&](const std::string& etichetta, int tipo_elemento, const std::string& ordine,
                      const std::string& testo_nuovo) {
    return json{{"label", etichetta},
                {"kind", tipo_elemento},
                {"sortText", ordine},
                {"filterText", etichetta},
                {"textEdit", {{"range", intervallo_json(sostituito)}, {"newText", testo_nuovo}}}};
  };
  if (parte == parte_file::preambolo) {
    elementi.push_back(elemento("[generale]", 9, "0", "[generale]"));
    return {{"isIncomplete", false}, {"items", elementi}};
  }
  int n = 0;
  for (const parola_proposta& w : parole_per(tipo, parte, sezione)) {
    // The order of the list: fitting words first, then by place, two digits each.
    std::string ordine(1, w.adatta ? '0' : '1');
    if (n < 10) ordine += '0';
    ordine += std::to_string(n);
    ++n;
    json e = elemento(w.parola, 14, ordine, w.parola);
    e["detail"] = titolo_record(*w.forma);
    e["documentation"] = {{"kind", "markdown"}, {"value", testo_record(*w.forma)}};
    elementi.push_back(e);
    if (snippet_) {
      json s = elemento(w.parola + " (record)", 15, ordine + "s", snippet_record(w.parola, *w.forma));
      s["filterText"] = w.parola;
      s["insertTextFormat"] = 2;
      s["detail"] = "the whole record, its fields as placeholders";
      elementi.push_back(s);
    }
  }
  for (const std::string& s : sezioni_di(tipo)) {
    json e = elemento(s, 9, "2" + s, s);
    e["detail"] = descrizione_sezione(tipo, s);
    elementi.push_back(e);
  }
  return {{"isIncomplete", false}, {"items", elementi}};
}

json servitore_lsp::simboli_documento(const json& p) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti_.aperto(uri);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  json elenco = json::array();
  if (d == nullptr || tipo == tipo_sorgente::altro) return elenco;
  auto in_json = [&](auto&& self, const simbolo& s) -> json {
    intervallo_lsp tutto{{s.riga, 0}, d->testo.fine_riga(s.riga_fine, codifica_)};
    intervallo_lsp nome{d->testo.verso_lsp(s.riga + 1, s.inizio, codifica_),
                        d->testo.verso_lsp(s.riga + 1, s.fine, codifica_)};
    json j = {{"name", s.nome}, {"kind", s.tipo}, {"range", intervallo_json(tutto)}, {"selectionRange", intervallo_json(nome)}};
    if (!s.dettaglio.empty()) j["detail"] = utf8_sicuro(s.dettaglio);
    if (!s.figli.empty()) {
      j["children"] = json::array();
      for (const simbolo& f : s.figli) j["children"].push_back(self(self, f));
    }
    return j;
  };
  for (const simbolo& s : simboli(analizza(tipo, righe_di(d->testo)))) elenco.push_back(in_json(in_json, s));
  return elenco;
}

json servitore_lsp::suggerimenti(const json& p) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti_.aperto(uri);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  json elenco = json::array();
  if (d == nullptr || tipo == tipo_sorgente::altro || !suggerimenti_) return elenco;
  const int da = p.at("range").at("start").at("line").get<int>(), a = p.at("range").at("end").at("line").get<int>();
  for (const riga_analizzata& r : analizza(tipo, righe_di(d->testo))) {
    if (r.riga < da || r.riga > a || r.tipo != tipo_riga::record || r.record.empty()) continue;
    for (const campo_riga& c : r.campi) {
      std::string km = km_posizione(*r.record[0], c);
      if (km.empty()) continue;
      posizione_lsp dopo = d->testo.verso_lsp(r.riga + 1, c.fine, codifica_);
      elenco.push_back({{"position", intervallo_json({dopo, dopo})["start"]},
                        {"label", km},
                        {"paddingLeft", true}});
    }
  }
  return elenco;
}

json servitore_lsp::simboli_area(const json& p) {
  std::string cercato = minuscole(p.value("query", std::string()));
  // The open files and the partners of those that have one, read from the disk when
  // they are not open.
  std::map<std::string, testo_sorgente> testi;
  for (const auto& [uri, d] : documenti_.aperti()) {
    if (tipo_di(nome_uri(uri)) == tipo_sorgente::altro) continue;
    testi.emplace(uri, d.testo);
    for (file_coppia& f : documenti_.coppia_di(uri).files) {
      if (f.testo) testi.emplace(f.uri, std::move(*f.testo));
    }
  }
  json elenco = json::array();
  for (const auto& voce : testi) {
    const std::string& uri = voce.first;  // named, not bound: a lambda below captures it
    const testo_sorgente& testo = voce.second;
    auto aggiungi = [&](auto&& self, const simbolo& s, const std::string& contenitore) -> void {
      std::string nome = s.dettaglio.empty() ? s.nome : s.nome + " " + utf8_sicuro(s.dettaglio);
      if (cercato.empty() || minuscole(nome).find(cercato) != std::string::npos) {
        intervallo_lsp dove{testo.verso_lsp(s.riga + 1, s.inizio, codifica_), testo.verso_lsp(s.riga + 1, s.fine, codifica_)};
        json j = {{"name", nome}, {"kind", s.tipo}, {"location", {{"uri", uri}, {"range", intervallo_json(dove)}}}};
        if (!contenitore.empty()) j["containerName"] = contenitore;
        elenco.push_back(j);
      }
      for (const simbolo& f : s.figli) self(self, f, s.nome);
    };
    for (const simbolo& s : simboli(analizza(tipo_di(nome_uri(uri)), righe_di(testo)))) {
      aggiungi(aggiungi, s, nome_uri(uri));
    }
  }
  return elenco;
}

json servitore_lsp::azioni(const json& p) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  intervallo_lsp chiesto{posizione_di(p.at("range").at("start")), posizione_di(p.at("range").at("end"))};
  json elenco = json::array();
  const std::vector<pubblicata>* lista = pubblicate_.di(uri);
  if (lista == nullptr) return elenco;
  for (const pubblicata& x : *lista) {
    if (!si_toccano(x.intervallo, chiesto)) continue;
    for (const auto& [u, modifica] : x.correzioni) {
      std::string nuovo = modifica.at("newText").get<std::string>();
      std::string titolo = nuovo.empty() ? "Remove the text" : "Replace with '" + nuovo + "'";
      elenco.push_back({{"title", titolo},
                        {"kind", "quickfix"},
                        {"diagnostics", json::array({x.diagnostica})},
                        {"isPreferred", x.correzioni.size() == 1},
                        {"edit", {{"changes", {{u, json::array({modifica})}}}}}});
    }
  }
  return elenco;
}

json servitore_lsp::definizione(const json& p) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  posizione_lsp pos = posizione_di(p.at("position"));
  json elenco = json::array();
  const std::vector<pubblicata>* lista = pubblicate_.di(uri);
  if (lista == nullptr) return nullptr;
  for (const pubblicata& x : *lista) {
    if (!contiene(x.intervallo, pos)) continue;
    for (const json& n : x.note) {
      if (std::find(elenco.begin(), elenco.end(), n) == elenco.end()) elenco.push_back(n);
    }
  }
  if (elenco.empty()) return nullptr;
  return elenco;
}
