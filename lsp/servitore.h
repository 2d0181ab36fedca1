// The language server's state and handlers: one JSON-RPC message in, the messages to
// send out. The loop (ciclo.h) reads and writes the stream; the tests call these
// directly.
//
// Open files are kept as the editor sent them. A file and its partner (the line
// description and the service description of one route and train, in one folder) are
// checked together, each from its open buffer, else from the disk; the diagnostics of
// both are published. Every change bumps a generation counter, and a result is
// published only while the generations it was computed from are still the newest, and
// never over a result of a later generation.
//
// The server reads files beside the ones opened (to find and read a partner), and
// nothing else: it never writes a file and never runs a program. Its one command,
// scenario.openView, starts the route's live view through the function it was given.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lsp/archivio_documenti.h"
#include "lsp/archivio_pubblicate.h"
#include "lsp/cornice.h"
#include "lsp/opzioni.h"
#include "lsp/posizioni.h"
#include "lsp/protocollo.h"

class servitore_lsp {
 public:
  explicit servitore_lsp(opzioni_lsp o) : opzioni_(std::move(o)) {}

  // One message body as read; the replies and notifications to send, in order.
  std::vector<json> gestisci(const std::string& corpo);
  std::vector<json> gestisci(const json& messaggio);
  // The error response for a message that could not be framed (nothing for the end
  // of the stream).
  std::optional<json> errore_cornice(esito_cornice e) const;

  // Whether some file waits for its diagnostics, and the notifications that publish
  // them (for every pair with a file changed since it was last published).
  bool in_attesa() const { return documenti_.in_attesa(); }
  std::vector<json> pubblica();

  bool finito() const { return uscito_; }
  // 0 after shutdown then exit, 1 for an exit without shutdown.
  int stato_uscita() const { return arrestato_ ? 0 : 1; }
  codifica_posizioni codifica() const { return codifica_; }

 private:
  // The anchor of the reference's section on a code or a warning's name; empty when
  // there is no reference to link to or no such section.
  std::string ancora_riferimento(const std::string& chi) const;
  std::vector<json> richiesta(const std::string& metodo, const json& id, const json& parametri);
  void notifica(const std::string& metodo, const json& parametri, std::vector<json>& uscita);

  json inizializza(const json& parametri);
  json hover(const json& parametri);
  json completamento(const json& parametri);
  json simboli_documento(const json& parametri);
  json simboli_area(const json& parametri);
  json azioni(const json& parametri);
  json definizione(const json& parametri);
  json suggerimenti(const json& parametri);

  // workspace/executeCommand scenario.openView (lsp/comando_vista.cpp).
  std::vector<json> apri_vista(const json& id, const json& parametri);

  // The pair of `uri` checked, its notifications appended; the uris done are added to
  // `fatti`.
  void controlla_coppia(const std::string& uri, std::set<std::string>& fatti, std::vector<json>& uscita);

  opzioni_lsp opzioni_;
  codifica_posizioni codifica_ = codifica_posizioni::utf16;
  bool snippet_ = false;
  bool suggerimenti_ = false;  // inlay hints offered: asked for in the initialization options
  bool mostra_documenti_ = false;  // the client takes window/showDocument
  uint64_t richieste_inviate_ = 0;
  bool inizializzato_ = false, arrestato_ = false, uscito_ = false;
  archivio_documenti documenti_{opzioni_.legge_disco};
  diagnostiche_pubblicate pubblicate_;
};
