// textDocument/documentSymbol and workspace/symbol: the outline of a file (its
// sections, and in each its records named and placed in km), and the same symbols of
// every open file and of its partner, found by a part of their name.
#pragma once

#include "lsp/archivio_documenti.h"
#include "lsp/protocollo.h"

// The outline of the request's file (an empty array for a file not open or of no
// known kind).
json simboli_documento(const json& parametri, const archivio_documenti& documenti, codifica_posizioni codifica);
// The symbols whose name holds the request's query, letter case aside (every one for
// an empty query), of the open files and their partners.
json simboli_area(const json& parametri, const archivio_documenti& documenti, codifica_posizioni codifica);
