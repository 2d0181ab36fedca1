// The compiler as a library of functions over a loaded scenario: the code placement
// passes, the header stamps and checksums, and `compila`, one whole compilation in
// memory. Nothing here needs a platform or writes a file (insieme_compilato.h writes
// the compiled set).
#pragma once

#include <cstdint>
#include <string>

#include "loader/esito_caricamento.h"
#include "loader/sorgenti_scenario.h"
#include "model/voce.h"

// A compilation's result: the loaded scenario with the code points and stamps added,
// every diagnostic, and the code of a header slot found taken (1250 or 1251), else 0.
struct esito_compilazione : esito_caricamento {
  int32_t testata_occupata = 0;
};

// One compilation from nothing: the load, then, where it made a grid, the passes, and
// the header slots checked and stamped. Codes recorded by the loader or the passes do
// not stop it; a taken header slot leaves the scenario unstamped.
esito_compilazione compila(sorgenti_scenario& sorgenti, const richiesta_caricamento& richiesta);

// How many times `compila` has run in this process, for the tests that count what a
// command compiles; keeping it costs one relaxed atomic increment a compilation.
uint64_t compilazioni_eseguite();

// The code placement passes over the grid; a failed placement is recorded among the
// diagnostics, placed at the record of the signal or slowdown concerned (else at
// `file_servizio`), and the passes go on.
void passi_codici(esito_caricamento& e, const std::string& file_servizio);

// The two checksums over the names as the table holds them.
int32_t codice_gara_og(const tabella_generale& tabella);
int32_t codice_gara_st(const tabella_generale& tabella);

// The exit status of a compilation that ran to its end: 0 with no recorded code, 1
// with a code and a grid (every file written), 2 with no grid (nothing compiled).
int stato_compilazione(const esito_compilazione& e);
