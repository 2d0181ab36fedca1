// carico: one load's state, as its driver (carica_scenario.cpp) and its two halves
// share it: what was asked, the source files, the scenario being built with the sink
// of its diagnostics, the file being read, the table entries taken, the decision after
// a stop, and what the line file leaves for the service file. The records are handed
// only the parts of it they use.
#pragma once

#include <string>

#include "loader/diagnosi.h"
#include "loader/esito_caricamento.h"
#include "loader/griglia.h"
#include "loader/leggi_chiave.h"
#include "loader/parte_generale.h"
#include "loader/ripresa.h"
#include "loader/sorgenti_scenario.h"

struct carico {
  carico(const richiesta_caricamento& r, sorgenti_scenario& s, std::string linea, std::string servizio)
      : richiesta(r), sorgenti(s), file_linea(std::move(linea)), file_servizio(std::move(servizio)) {}
  carico(const carico&) = delete;
  carico& operator=(const carico&) = delete;

  const richiesta_caricamento& richiesta;
  sorgenti_scenario& sorgenti;
  const std::string file_linea;
  const std::string file_servizio;
  esito_caricamento esito;
  diagnosi d{esito.diagnostiche, richiesta.senza_avvisi};
  lettura file;
  voci_prese voci;
  ripresa rip{richiesta.recupera, esito.scenario, voci};

  // Left by the line file: its general part, and whether a position beyond the grid
  // ended its reading (code 15).
  stato_generale generale;
  bool linea_oltre_griglia = false;
};

// The two halves of the load. The line half says whether the service half follows.
bool carica_linea(carico& c);
void carica_servizio(carico& c);
