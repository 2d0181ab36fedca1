// initialize: what the client offers (UTF-8 positions, snippets, window/showDocument,
// inlay hints through its initialization options) and the capabilities the server
// answers with.
#pragma once

#include "lsp/opzioni.h"
#include "lsp/protocollo.h"

// What the client took up.
struct accordo_client {
  codifica_posizioni codifica = codifica_posizioni::utf16;
  bool vecchia_offerta = false;  // UTF-8 offered in the older form, offsetEncoding
  bool snippet = false;
  bool suggerimenti = false;      // inlay hints: asked for in the initialization options
  bool mostra_documenti = false;  // the client takes window/showDocument
};

// The offer of initialize's parameters read into `accordo`, one item after the other:
// parameters of the wrong shape throw, leaving what was read before them.
void leggi_offerta(const json& parametri, accordo_client& accordo);
// The result of initialize.
json capacita_servitore(const accordo_client& accordo, const opzioni_lsp& opzioni);
