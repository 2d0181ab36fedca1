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

#include "lsp/cornice.h"
#include "lsp/coppia.h"
#include "loader/caricatore.h"
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
  bool in_attesa() const { return !da_controllare_.empty(); }
  std::vector<json> pubblica();

  bool finito() const { return uscito_; }
  // 0 after shutdown then exit, 1 for an exit without shutdown.
  int stato_uscita() const { return arrestato_ ? 0 : 1; }
  codifica_posizioni codifica() const { return codifica_; }

 private:
  struct documento {
    testo_sorgente testo;
    int64_t versione = 0;
    uint64_t generazione = 0;
  };
  // A diagnostic as published, kept for code actions, hover and go to definition.
  struct pubblicata {
    intervallo_lsp intervallo;
    json diagnostica;
    std::vector<std::pair<std::string, json>> correzioni;  // uri, TextEdit
    std::vector<json> note;                                   // Location
    std::string chi;                                          // the code or name, for the reference
  };

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

  // The two files of the pair that `uri` belongs to, each from its open buffer, else
  // from the disk; a file that is neither has no text. `da_sola`: a line file with no
  // service file at hand.
  struct file_coppia {
    std::string nome, uri;
    std::optional<testo_sorgente> testo;
    uint64_t generazione = 0;
  };
  struct coppia_trovata {
    richiesta_caricamento richiesta;
    bool da_sola = false;
    std::vector<file_coppia> files;  // the line file, then the service file
  };
  coppia_trovata coppia_di(const std::string& uri) const;
  // workspace/executeCommand scenario.openView (lsp/comando_vista.cpp).
  std::vector<json> apri_vista(const json& id, const json& parametri);

  void cambia(const std::string& uri, const json& cambiamenti, int64_t versione);
  // The pair of `uri` checked, its notifications appended; the uris done are added to
  // `fatti`.
  void controlla_coppia(const std::string& uri, std::set<std::string>& fatti, std::vector<json>& uscita);
  const documento* aperto(const std::string& uri) const;

  opzioni_lsp opzioni_;
  codifica_posizioni codifica_ = codifica_posizioni::utf16;
  bool snippet_ = false;
  bool suggerimenti_ = false;  // inlay hints offered: asked for in the initialization options
  bool mostra_documenti_ = false;  // the client takes window/showDocument
  uint64_t richieste_inviate_ = 0;
  bool inizializzato_ = false, arrestato_ = false, uscito_ = false;
  uint64_t generazione_ = 0;
  std::map<std::string, documento> documenti_;
  std::set<std::string> da_controllare_;
  // Per uri: the diagnostics published last, the generation they came from, and the
  // uris published with it (its partner).
  std::map<std::string, std::vector<pubblicata>> pubblicate_;
  std::map<std::string, uint64_t> generazione_pubblicata_;
  std::map<std::string, std::set<std::string>> compagni_;
};
