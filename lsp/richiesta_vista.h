// workspace/executeCommand scenario.openView: the live view of the route of a file,
// started through `opzioni_lsp::apri_vista` and shown by the client at the kilometre of
// the record under the cursor.
#pragma once

#include <cstdint>
#include <vector>

#include "lsp/archivio_documenti.h"
#include "lsp/opzioni.h"
#include "lsp/protocollo.h"

// The reply to request `id` (the view's address, or an error), then the message that
// shows it; `richieste_inviate` numbers the requests the server sends the client.
std::vector<json> apri_vista(const json& id, const json& parametri, const archivio_documenti& documenti,
                             const opzioni_lsp& opzioni, codifica_posizioni codifica, bool mostra_documenti,
                             uint64_t& richieste_inviate);
