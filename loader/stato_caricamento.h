// The loader's working state for one call of `memorizza_dati`: the file being read,
// the paths of the two source files, and the cursors and pending values of the step
// functions that the line half and the service half lay on the grid.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sources/lettore_campi.h"

// How a record handler ends: the next record follows; the record's position failed
// the fits-in-grid test (code 15), which ends the reading like the end of the file; or
// the load stopped with a code and the caller returns at once.
enum class esito_record : int { avanti, fuori_griglia, fermo };

struct stato_caricamento {
  std::string percorso_linea;
  std::string percorso_servizio;
  lettore_campi lettore{""};

  // Line half.
  int32_t cartello_libero = 80;   // the table entry the next signboard takes
  int64_t cursore_pendenza = 0;   // the next cell to receive a gradient
  int64_t pendenza_vigente = 0;   // the gradient read last, not yet laid
  int64_t metro_tracciato = 2;    // the next metre of the plan to compute
  // For each kilometre-post entry (81, 82, 83 as read) the line of its record when its
  // position or value is not a multiple of 50, else 0: where a code 2 comes from.
  std::array<int, 3> riga_progressiva_storta{};

  // Service half.
  int32_t n_stazione = 1;         // the table entry the next station takes
  int64_t velocita_vigente = 0;
  int64_t aderenza_vigente = 0;
  int64_t cursore_velocita = 0;
  int64_t cursore_aderenza = 0;
};
