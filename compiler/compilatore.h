// compilatore: what a run keeps of its compilation: what it asked for and what came
// of it. `compila` compiles the two source files that `sorgenti` reaches; `scrivi_insieme`
// writes the compiled set into a folder.
#pragma once

#include <string>

#include "compiler/compila.h"
#include "compiler/insieme_compilato.h"

class compilatore {
 public:
  // The code of a taken header slot, else 0.
  int32_t compila(sorgenti_scenario& sorgenti) {
    esito = ::compila(sorgenti, richiesta);
    return esito.testata_occupata;
  }
  void scrivi_insieme(const std::string& cartella) const { scrivi_insieme_compilato(cartella, esito, richiesta); }

  richiesta_caricamento richiesta;
  esito_compilazione esito;
};
