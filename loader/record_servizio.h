// record_servizio: the service records laid straight on the grid: line speed limits and
// adhesion (step functions), signals and slowdowns (handed to their stores) and code
// reductions. Each is read whole first (`leggi_...`), then laid (`posa_...`); laying
// checks the position against the grid first (code 15). `lunghezza` is where the route
// length was read.
#pragma once

#include <cstdint>

#include "loader/esito_caricamento.h"
#include "loader/memo.h"
#include "loader/record_letto.h"

class diagnosi;

// The speed and adhesion step functions laid so far: for each, the value read last
// (not yet laid) and its record, the next cell to receive one, and the position read
// last.
struct stato_passi {
  int64_t velocita_vigente = 0;
  luogo_sorgente luogo_velocita;
  int64_t cursore_velocita = 0;
  int64_t posizione_velocita = -1;
  int64_t aderenza_vigente = 0;
  luogo_sorgente luogo_aderenza;
  int64_t cursore_aderenza = 0;
  int64_t posizione_aderenza = -1;
};

// A speed limit and an adhesion value: a position and the value.
esito_record posa_velocita(const coppia_letta& r, stato_passi& s, scenario_compilato& sc, diagnosi& d,
                           const luogo_sorgente& lunghezza);
esito_record posa_aderenza(const coppia_letta& r, stato_passi& s, scenario_compilato& sc, diagnosi& d,
                           const luogo_sorgente& lunghezza);
// After the service file: the last speed and adhesion reach cell n_celle - 3.
void chiudi_passi(stato_passi& s, scenario_compilato& sc);

// Signals and slowdowns; `linea_oltre_griglia` says that a position beyond the grid
// ended the line file's reading, which stops the load at the first of them (code 15).
valori_segnale leggi_segnale(lettore_campi& l);
esito_record posa_segnale(const valori_segnale& r, esito_caricamento& e, diagnosi& d, const luogo_sorgente& lunghezza,
                          bool linea_oltre_griglia);
valori_rallentamento leggi_rallentamento(lettore_campi& l);
esito_record posa_rallentamento(const valori_rallentamento& r, esito_caricamento& e, diagnosi& d,
                                const luogo_sorgente& lunghezza, bool linea_oltre_griglia);

// A code reduction: a position and the code.
esito_record posa_abbattimento(const coppia_letta& r, esito_caricamento& e, diagnosi& d,
                               const luogo_sorgente& lunghezza);
