// textDocument/inlayHint: the km of every value that places something along the route,
// shown after it; offered only to a client that asked for it in its initialization
// options.
#pragma once

#include "lsp/archivio_documenti.h"
#include "lsp/protocollo.h"

// The hints on the lines of the request's range (an empty array when `chiesti` is off,
// for a file not open, or of no known kind).
json suggerimenti(const json& parametri, const archivio_documenti& documenti, codifica_posizioni codifica,
                  bool chiesti);
