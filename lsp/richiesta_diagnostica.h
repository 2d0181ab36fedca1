// The diagnostics: each file waiting in the store is checked with its partner, each
// from its open buffer, else from the disk, by the compiler's own check, and the
// diagnostics of both files are published. A result is published only while the
// generations it was computed from are still the newest, and never over a result of a
// later generation. What is published is kept (archivio_pubblicate.h) for hover, code
// actions and go to definition.
#pragma once

#include <string>
#include <vector>

#include "lsp/archivio_documenti.h"
#include "lsp/archivio_pubblicate.h"
#include "lsp/opzioni.h"
#include "lsp/protocollo.h"

// The notifications that publish the diagnostics of every pair with a file waiting to
// be checked.
std::vector<json> pubblica_diagnostiche(archivio_documenti& documenti, diagnostiche_pubblicate& pubblicate,
                                        const opzioni_lsp& opzioni, codifica_posizioni codifica);

// After `uri` was closed: its diagnostics go, and so do its partner's when the partner
// is not open either; an open partner waits to be checked again without it. The
// notifications that clear them are appended to `uscita`.
void diagnostiche_alla_chiusura(const std::string& uri, archivio_documenti& documenti,
                                diagnostiche_pubblicate& pubblicate, std::vector<json>& uscita);
