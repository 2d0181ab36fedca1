// memorizza_percorso: the compiler driver of a run. It compiles the two source files of
// the program's directory (the loader deletes each once read), ends the run with the
// message of a taken header slot, and writes the compiled files.
//
// Codes recorded by the loader or the passes do not stop it: the files are written from
// whatever the loader built. When the loader stopped before it created the grid there
// is nothing to compile and nothing is written; the run driver reports the code.
//
// The compiled files are one set: all of them are written under temporary names first
// and put in place together, so a failure leaves the earlier set as it was.
#include <optional>

#include "compiler/file_compilati.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "loader/sorgenti_scenario.h"

void Form1::memorizza_percorso(int32_t& j) {
  sorgenti_su_disco sorgenti(piattaforma.cartella_programma());
  int32_t testata = compila(sorgenti, j);
  if (testata != 0) errore(std::to_string(testata));
  if (griglia.empty()) return;

  std::vector<file_nuovo*> insieme;
  std::optional<file_nuovo> piano;
  if (con_tracciato != 0) {
    piano.emplace(percorso(nome_file_piano(nome_linea)));
    scrivi_piano(*piano, tracciato);
    insieme.push_back(&*piano);
  }
  file_nuovo file_tabella(percorso(nome_file_tabella(nome_linea, nome_treno)));
  scrivi_tabella(file_tabella, tabella);
  file_nuovo file_griglia(percorso(nome_file_griglia(nome_linea, nome_treno)));
  scrivi_griglia(file_griglia, griglia);
  insieme.push_back(&file_tabella);
  insieme.push_back(&file_griglia);
  sostituisci_insieme(insieme);
}

void Form1::memorizza_dati() {
  sorgenti_su_disco sorgenti(piattaforma.cartella_programma());
  compilatore::memorizza_dati(sorgenti);
}
