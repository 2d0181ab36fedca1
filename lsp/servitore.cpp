// The session: JSON-RPC messages told apart and answered, initialize, shutdown and
// exit, the notifications that change the store, and each other request handed to its
// family.
#include "lsp/servitore.h"

#include "lsp/richiesta_azioni.h"
#include "lsp/richiesta_completamento.h"
#include "lsp/richiesta_definizione.h"
#include "lsp/richiesta_diagnostica.h"
#include "lsp/richiesta_hover.h"
#include "lsp/richiesta_simboli.h"
#include "lsp/richiesta_suggerimenti.h"
#include "lsp/richiesta_vista.h"

namespace {

// The changes of a didChange as the store takes them.
std::vector<cambiamento> cambiamenti_di(const json& lista) {
  std::vector<cambiamento> cambiamenti;
  for (const json& c : lista) {
    cambiamento x;
    if (c.contains("range")) {
      x.dove = intervallo_lsp{posizione_di(c.at("range").at("start")), posizione_di(c.at("range").at("end"))};
    }
    x.testo = c.at("text").get<std::string>();
    cambiamenti.push_back(std::move(x));
  }
  return cambiamenti;
}

}  // namespace

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
    leggi_offerta(p, accordo_);
    return {risposta(id, capacita_servitore(accordo_, opzioni_))};
  }
  if (!inizializzato_) return {errore_rpc(id, non_inizializzato, "the server is not initialized")};
  if (arrestato_) return {errore_rpc(id, richiesta_non_valida, "the server is shut down")};
  if (metodo == "shutdown") {
    arrestato_ = true;
    return {risposta(id, nullptr)};
  }
  return richiesta_famiglia(metodo, id, p);
}

std::vector<json> servitore_lsp::richiesta_famiglia(const std::string& metodo, const json& id, const json& p) {
  const codifica_posizioni k = accordo_.codifica;
  if (metodo == "textDocument/hover") return {risposta(id, hover(p, documenti_, pubblicate_, opzioni_, k))};
  if (metodo == "textDocument/completion") {
    return {risposta(id, completamento(p, documenti_, k, accordo_.snippet))};
  }
  if (metodo == "textDocument/documentSymbol") return {risposta(id, simboli_documento(p, documenti_, k))};
  if (metodo == "workspace/symbol") return {risposta(id, simboli_area(p, documenti_, k))};
  if (metodo == "textDocument/codeAction") return {risposta(id, azioni(p, pubblicate_))};
  if (metodo == "textDocument/definition") return {risposta(id, definizione(p, pubblicate_))};
  if (metodo == "textDocument/inlayHint") {
    return {risposta(id, suggerimenti(p, documenti_, k, accordo_.suggerimenti))};
  }
  if (metodo == "workspace/executeCommand" && opzioni_.apri_vista && p.value("command", "") == "scenario.openView") {
    return apri_vista(id, p, documenti_, opzioni_, k, accordo_.mostra_documenti, richieste_inviate_);
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
    documenti_.cambia(uri, cambiamenti, d.value("version", int64_t{0}), accordo_.codifica);
  } else if (metodo == "textDocument/didSave") {
    std::string uri = p.at("textDocument").at("uri").get<std::string>();
    documenti_.salvato(uri);
  } else if (metodo == "textDocument/didClose") {
    std::string uri = p.at("textDocument").at("uri").get<std::string>();
    documenti_.chiudi(uri);
    diagnostiche_alla_chiusura(uri, documenti_, pubblicate_, uscita);
  }
  // Every other notification ($/cancelRequest, $/setTrace, initialized, ...) needs
  // nothing.
}

std::vector<json> servitore_lsp::pubblica() {
  return pubblica_diagnostiche(documenti_, pubblicate_, opzioni_, accordo_.codifica);
}

analisi_diagnostiche servitore_lsp::prendi_analisi() { return ::prendi_analisi(documenti_, opzioni_, accordo_.codifica); }

std::vector<json> servitore_lsp::concludi(esito_coppia e) {
  return concludi_analisi(std::move(e), documenti_, pubblicate_);
}
