// corpo_linea: the body records of the line file that lay the grid: gradients,
// mountain stretches, speed-indicator boards and signboards (curves lay the plan, in
// curva.h). Each is read whole first (`leggi_...`), then laid (`posa_...`); laying
// checks the position against the grid first: a position beyond it records code 15
// and ends the reading. `lunghezza` is where the route length was read.
#pragma once

#include <cstdint>
#include <string>

#include "loader/esito_caricamento.h"
#include "loader/memo.h"
#include "loader/record_letto.h"

class diagnosi;

// The gradients laid so far: the next cell to receive one, the gradient read last (not
// yet laid), its position and its record.
struct stato_pendenze {
  int64_t cursore = 0;
  int64_t vigente = 0;
  int64_t posizione = -1;
  luogo_sorgente luogo;
};

// A gradient: its position and its value in per mille.
esito_record posa_pendenza(const coppia_letta& r, stato_pendenze& s, scenario_compilato& sc, diagnosi& d,
                           const luogo_sorgente& lunghezza);
// After the body: the gradient in force reaches cell n_celle - 3.
void coda_pendenze(stato_pendenze& s, scenario_compilato& sc);

struct montagna_letta {
  numero_letto inizio;
  int32_t fine = 0;
  int32_t tipo = 0;
};
montagna_letta leggi_montagna(lettore_campi& l);
// `luogo_montagna` is the record of the stretch read last.
esito_record posa_montagna(const montagna_letta& r, luogo_sorgente& luogo_montagna, scenario_compilato& sc,
                           diagnosi& d, const luogo_sorgente& lunghezza);

valori_indicatori leggi_indicatori(lettore_campi& l);
esito_record posa_indicatori(const valori_indicatori& r, esito_caricamento& e, diagnosi& d,
                             const luogo_sorgente& lunghezza);

struct cartello_letto {
  int32_t posizione = 0;
  std::string testo;
  luogo_sorgente campo_testo;
};
cartello_letto leggi_cartello(lettore_campi& l);
// `cartello_libero` is the table entry the signboard takes.
esito_record posa_cartello(const cartello_letto& r, int32_t& cartello_libero, esito_caricamento& e, diagnosi& d,
                           const luogo_sorgente& lunghezza);
