// textDocument/definition: from a diagnostic to the places its notes point at (the
// record it clashes with, in either file of the pair).
#pragma once

#include "lsp/archivio_pubblicate.h"
#include "lsp/protocollo.h"

// The notes' places of the diagnostics published at the request's position, each once;
// null when there is none.
json definizione(const json& parametri, const diagnostiche_pubblicate& pubblicate);
