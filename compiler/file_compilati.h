// The three compiled files that the simulator loads: the plan coordinates, the general
// table and the track grid. Their layouts are documented in compiler/FORMATI.md. Each
// writer puts the whole content into a file being written anew; the caller completes it.
#pragma once

#include <string>
#include <vector>

#include "model/cella.h"
#include "model/tracciato.h"
#include "model/voce.h"
#include "platform/file_servizi.h"

// Plan: every x (metre 0 to the last), then every y, each a 2-byte type code and its value.
void scrivi_piano(file_nuovo& file, const tracciato_piano& tracciato);

// Table: the 87 entries, 34 bytes each plus the length of the text.
void scrivi_tabella(file_nuovo& file, const tabella_generale& tabella);

// Grid: every cell, 15 bytes each.
void scrivi_griglia(file_nuovo& file, const std::vector<cella>& griglia);
