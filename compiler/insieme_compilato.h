// The compiled set of a folder: the plan (when it was computed), the general table and
// the track grid of one compilation, written under temporary names first and put in
// place together, so that a failure leaves the earlier set as it was.
#pragma once

#include <string>

#include "compiler/compila.h"

// Writes the set of `e` into `cartella`, named after `r`'s names; the plan only when
// `r` computed it. A compilation with no grid has nothing to write.
void scrivi_insieme_compilato(const std::string& cartella, const esito_compilazione& e,
                              const richiesta_caricamento& r);
