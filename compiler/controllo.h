// The check of a pair of source files: every problem at once, nothing written.
//
// The files are compiled in memory exactly as a compilation does, so every code it
// records is listed (the passes' codes all, not only the last) with the warnings. When
// the load stopped, the files are loaded once more with recovery: each stop skips its
// record and the reading goes on with the next keyword line, so that later records are
// checked too; what that second load finds is added where it is new. The compilation
// is handed out with what was found in it, so that whoever also shows the route (view)
// needs no compilation of its own.
#pragma once

#include <string>
#include <vector>

#include "compiler/compila.h"
#include "loader/esito_caricamento.h"
#include "loader/sorgenti_scenario.h"
#include "model/diagnostica.h"

// Puts diagnostics in the order of the files: those of `file_primo` first, then the
// others, each file by line and column; diagnostics at one place keep their order.
void ordina_diagnostiche(std::vector<diagnostica>& diagnostiche, const std::string& file_primo);

// The diagnostics of the two source files of `sorgenti` (which is not changed), in the
// order of the files, the line file first, by line and column.
std::vector<diagnostica> controlla_sorgenti(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& r);

// The check with its compilation: the scenario as `compila` leaves it (loaded without
// recovery, whatever `r.recupera` says) and the diagnostics of controlla_sorgenti.
struct esito_controllo {
  esito_compilazione compilazione;
  std::vector<diagnostica> diagnostiche;
};
esito_controllo controlla_compilando(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& r);
