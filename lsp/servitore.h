// The language server's session: one JSON-RPC message in, the messages to send out.
// The loop (ciclo.h) reads and writes the stream; the tests call these directly.
//
// The session answers initialize, shutdown and exit itself, keeps the store of open
// files (archivio_documenti.h) and what was last published (archivio_pubblicate.h), and
// hands every other request to its family (richiesta_*.h) with what that needs.
//
// The server reads files beside the ones opened (to find and read a partner), and
// nothing else: it never writes a file and never runs a program. Its one command,
// scenario.openView, starts the route's live view through the function it was given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lsp/archivio_documenti.h"
#include "lsp/archivio_pubblicate.h"
#include "lsp/cornice.h"
#include "lsp/opzioni.h"
#include "lsp/posizioni.h"
#include "lsp/protocollo.h"
#include "lsp/servitore_capacita.h"

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
  codifica_posizioni codifica() const { return accordo_.codifica; }

 private:
  std::vector<json> richiesta(const std::string& metodo, const json& id, const json& parametri);
  // A request of one of the families, once the server is initialized and not shut down.
  std::vector<json> richiesta_famiglia(const std::string& metodo, const json& id, const json& parametri);
  void notifica(const std::string& metodo, const json& parametri, std::vector<json>& uscita);

  opzioni_lsp opzioni_;
  accordo_client accordo_;
  uint64_t richieste_inviate_ = 0;  // the requests sent to the client, numbered
  bool inizializzato_ = false, arrestato_ = false, uscito_ = false;
  archivio_documenti documenti_{opzioni_.legge_disco};
  diagnostiche_pubblicate pubblicate_;
};
