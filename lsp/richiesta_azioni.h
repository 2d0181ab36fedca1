// textDocument/codeAction: the fixes of the diagnostics published over the request's
// range, each a quick fix that edits the file it names.
#pragma once

#include "lsp/archivio_pubblicate.h"
#include "lsp/protocollo.h"

json azioni(const json& parametri, const diagnostiche_pubblicate& pubblicate);
