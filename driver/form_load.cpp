// The run sequence: the whole program from start to end, with no input of any kind.
// It fixes the two names, puts the wait window up, writes the two source files and the
// three crew documents, and compiles the scenario with its plan.
#include "driver/form1.h"
#include "driver/nomi_file.h"

void Form1::Form_Load() {
  nome_linea = linea_incorporata;
  nome_treno = treno_incorporato;
  piattaforma.mostra_finestra("Attendere");
  dati_linea();
  dati_treno();
  dati_note();
  dati_rallentamenti();
  dati_scheda();
  int32_t j = 1;
  memorizza_percorso(j);
}
