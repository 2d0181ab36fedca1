// The language server's session, the entry to lsp/ (lsp/README.md tells its layers):
// servitore_lsp takes one JSON-RPC message and gives the messages to send out, and
// servi_lsp is the loop that reads them from a stream and writes the answers to
// another. scenario_tool's `lsp` runs the loop; the tests and the fuzz target call the
// session directly.
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
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "lsp/archivio_documenti.h"
#include "lsp/archivio_pubblicate.h"
#include "lsp/opzioni.h"
#include "lsp/posizioni.h"
#include "lsp/protocollo.h"
#include "lsp/richiesta_diagnostica.h"
#include "lsp/servitore_capacita.h"
#include "lsp/servitore_cornice.h"
#include "lsp/servitore_esecutore.h"

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
  // The same in two halves, for a loop that checks off its own thread
  // (richiesta_diagnostica.h): the analysis of every file waiting, which holds all it
  // needs; then, back here, the notifications that publish one pair's result, unless a
  // newer text has come since.
  analisi_diagnostiche prendi_analisi();
  std::vector<json> concludi(esito_coppia e);

  bool finito() const { return uscito_; }
  bool arrestato() const { return arrestato_; }
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

// The loop: messages read from `ingresso` on a thread of their own, handled one at a
// time, and the diagnostics of changed files computed once no message has come for
// `attesa_ms` milliseconds (0: as soon as none is waiting), so a burst of keystrokes
// is checked once, on its last text. The check runs on `esecutore` (null: a thread of
// the loop's own), one analysis at a time, while the messages are answered: the files
// changed meanwhile wait for the next one, and a result whose texts have changed since
// is never published. `shutdown` is answered once every file waiting is checked and
// published. Ends on `exit` or at the end of the input (an analysis in hand is let
// finish, its result dropped); returns the exit status. With `attendi_lettore` off
// (standard input, which no one can interrupt), a reader still blocked after `exit` is
// left to the process's end.
int servi_lsp(std::istream& ingresso, std::ostream& uscita, opzioni_lsp opzioni, int attesa_ms = 50,
              size_t limite = limite_messaggio, bool attendi_lettore = true, esecutore_analisi* esecutore = nullptr);
