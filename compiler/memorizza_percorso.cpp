// memorizza_percorso: the compiler driver. It clears the table, has the loader read
// both source files, runs the code placement passes over the grid, checks and stamps
// the two header slot pairs, stores the two checksums and writes the compiled files.
//
// Codes recorded by the loader or the passes do not stop it: the files are written from
// whatever the loader built. When the loader stopped before it created the grid there
// is nothing to compile and nothing is written; the run driver reports the code.
//
// The compiled files are one set: all of them are written under temporary names first
// and put in place together, so a failure leaves the earlier set as it was.
#include "driver/form1.h"
#include "compiler/file_compilati.h"
#include "driver/nomi_file.h"

#include <optional>

namespace {

constexpr int16_t timbro_linea = 610;
constexpr int16_t timbro_griglia = 5121;

}  // namespace

void Form1::memorizza_percorso(int32_t& j) {
  con_tracciato = j;
  codice_errore = 0;
  tabella.fill(voce{});
  memorizza_dati();
  if (griglia.empty()) return;
  passi_codici();

  voce& testata = tabella[voce_testata_linea];
  cella& intestazione = griglia[1];
  if (testata.intero_a != 0 || intestazione.dato1 != 0) errore("1250");
  testata.intero_a = timbro_linea;
  intestazione.dato1 = timbro_griglia;
  if (testata.valore_d != 0 || intestazione.dato2 != 0) errore("1251");
  testata.valore_d = codice_gara_st();
  intestazione.dato2 = static_cast<int16_t>(codice_gara_og());

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
