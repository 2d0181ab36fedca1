// memorizza_dati: the loader. It reads the line description file and then, in the same
// call, the service description file into the grid, the table and the plan.
//
// Every failure while loading (a field that cannot be read, a value that does not fit,
// an access outside a structure, a file that cannot be opened or deleted) ends up in
// the one failure handler below: both source files are deleted where they still
// exist and the load ends with code 25.
//
// Alongside, the loader keeps where it is in the source files (`luogo_record`), so that
// a recorded code names the file and line of the record that caused it.
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "platform/file_servizi.h"

void Form1::memorizza_dati() {
  stato_caricamento s;
  s.percorso_linea = percorso(nome_file_linea(nome_linea));
  s.percorso_servizio = percorso(nome_file_servizio(nome_linea, nome_treno));
  luogo_record = {};
  luogo_errore = {};
  motivo_guasto.clear();
  cella_rifiutata = -1;
  origine_celle.clear();
  try {
    tabella[voce_testata_linea].testo = nome_linea;
    tabella[voce_testata_treno].testo = nome_treno;
    if (carica_linea(s)) carica_servizio(s);
  } catch (const guasto_caricamento& e) {
    motivo_guasto = e.what();
    fallimento_caricamento(s);
  } catch (const errore_file& e) {
    motivo_guasto = e.what();
    fallimento_caricamento(s);
  }
}

void Form1::fallimento_caricamento(stato_caricamento& s) {
  elimina_se_esiste(s.percorso_linea);
  elimina_se_esiste(s.percorso_servizio);
  registra_codice(25);
}

void Form1::registra_codice(int32_t codice) {
  codice_errore = codice;
  luogo_errore = luogo_record;
}

void Form1::annota_origine(int64_t k) { origine_celle[k] = luogo_record; }
