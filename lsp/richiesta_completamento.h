// textDocument/completion: in keyword position, the keywords of the part of the file
// the line is in (those of its section first), each also as a whole-record snippet for
// a client that takes snippets, then the section headers; before [generale], that
// header alone.
#pragma once

#include "lsp/archivio_documenti.h"
#include "lsp/protocollo.h"

// The completion list at the request's position: empty (an array) after the keyword
// or in a file of no known kind.
json completamento(const json& parametri, const archivio_documenti& documenti, codifica_posizioni codifica,
                   bool snippet);
