// The run sequence: the whole program from start to end, with no input of any kind.
// It fixes the two names, puts the wait window up, writes the two source files and the
// three crew documents, and compiles the scenario with its plan.
//
// From its first write to its last rename the run holds the lock of its directory, so
// a second run started meanwhile waits (after a second it says so on standard error, and
// after a minute it gives up), and removes first what a killed run left there.
#include <iostream>

#include "driver/form1.h"
#include "model/nomi_file.h"
#include "platform/file_servizi.h"

void Form1::Form_Load() {
  nome_linea = linea_incorporata;
  nome_treno = treno_incorporato;
  piattaforma.mostra_finestra("Attendere");
  blocco_cartella blocco(piattaforma.cartella_programma(), [this] {
    std::cerr << "genera_scenario: another run is writing this folder, " << piattaforma.cartella_programma()
              << "; waiting for it (at most " << sistema::attesa_blocco.count() << " s)" << std::endl;
  });
  rimuovi_avanzi(piattaforma.cartella_programma(), nomi_file_corsa(nome_linea, nome_treno));
  dati_linea();
  dati_treno();
  dati_note();
  dati_rallentamenti();
  dati_scheda();
  memorizza_percorso(1);
}
