// The diagnostics: each file waiting in the store is checked with its partner, each
// from its open buffer, else from the disk, by the compiler's own check, and the
// diagnostics of both files are published. A result is published only while the
// generations it was computed from are still the newest, and never over a result of a
// later generation. What is published is kept (archivio_pubblicate.h) for hover, code
// actions and go to definition.
//
// The check may take long (a large file, many errors), so it comes in three steps: the
// analysis is taken from the store on the session's thread, in an instant; it runs on
// any thread, reading only what it holds and the disk; each pair's result is published
// back on the session's thread, unless a file of the pair has changed since.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lsp/archivio_documenti.h"
#include "lsp/archivio_pubblicate.h"
#include "lsp/opzioni.h"
#include "lsp/protocollo.h"

// One analysis: the files that waited when it was taken, in order, the open documents
// as they stood then, and what else it needs.
struct analisi_diagnostiche {
  std::vector<std::string> uris;
  documenti_aperti documenti;
  bool legge_disco = true;
  opzioni_lsp opzioni;
  codifica_posizioni codifica = codifica_posizioni::utf16;
};

// The result of one pair: the lists to publish by uri, and each file of the pair with
// the generation it was read at (0: not open).
struct esito_coppia {
  std::map<std::string, std::vector<pubblicata>> per_uri;
  std::vector<std::pair<std::string, uint64_t>> generazioni;
};

// The analysis of every file waiting in the store, which no longer waits.
analisi_diagnostiche prendi_analisi(archivio_documenti& documenti, const opzioni_lsp& opzioni,
                                    codifica_posizioni codifica);
// Each pair of `a` checked in turn (a pair once, whichever of its files waited), its
// result handed to `esito` as soon as it is there.
void esegui_analisi(const analisi_diagnostiche& a, const std::function<void(esito_coppia)>& esito);
// The notifications that publish `e`; none when a file of its pair has been changed,
// opened or closed since it was read.
std::vector<json> concludi_analisi(esito_coppia e, const archivio_documenti& documenti,
                                   diagnostiche_pubblicate& pubblicate);

// The three steps at once, on the calling thread: the notifications that publish the
// diagnostics of every pair with a file waiting to be checked.
std::vector<json> pubblica_diagnostiche(archivio_documenti& documenti, diagnostiche_pubblicate& pubblicate,
                                        const opzioni_lsp& opzioni, codifica_posizioni codifica);

// After `uri` was closed: its diagnostics go, and so do its partner's when the partner
// is not open either; an open partner waits to be checked again without it. The
// notifications that clear them are appended to `uscita`.
void diagnostiche_alla_chiusura(const std::string& uri, archivio_documenti& documenti,
                                diagnostiche_pubblicate& pubblicate, std::vector<json>& uscita);
