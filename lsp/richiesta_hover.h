// textDocument/hover: what the word under the cursor is (a section header, a record's
// keyword and fields, a value and what the compiler makes of it), then the diagnostics
// published there, each with its section of the reference.
#pragma once

#include "lsp/archivio_documenti.h"
#include "lsp/archivio_pubblicate.h"
#include "lsp/opzioni.h"
#include "lsp/protocollo.h"

// The hover of the request's position, null where there is nothing to say.
json hover(const json& parametri, const archivio_documenti& documenti, const diagnostiche_pubblicate& pubblicate,
           const opzioni_lsp& opzioni, codifica_posizioni codifica);
