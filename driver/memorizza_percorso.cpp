// memorizza_percorso: the compilation of a run. It compiles the two source files of the
// program's directory (the loader deletes each once read), ends the run with the
// message of a taken header slot, and writes the compiled set.
//
// Codes recorded by the loader or the passes do not stop it: the files are written from
// whatever the loader built. When the loader stopped before it created the grid there
// is nothing to compile and nothing is written; the run's end reports the code.
#include "driver/form1.h"
#include "loader/sorgenti_scenario.h"

void Form1::memorizza_percorso(int32_t j) {
  compilatore.richiesta = {nome_linea, nome_treno, j != 0, false};
  sorgenti_su_disco sorgenti(piattaforma.cartella_programma());
  int32_t testata = compilatore.compila(sorgenti);
  if (testata != 0) errore(std::to_string(testata));
  compilatore.scrivi_insieme(piattaforma.cartella_programma());
}
