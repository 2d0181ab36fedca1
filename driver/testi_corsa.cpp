// The five text writers of a run: each built-in text into its file of the program's
// directory.
#include "documents/testi_documenti.h"
#include "driver/form1.h"
#include "model/nomi_file.h"
#include "platform/file_servizi.h"
#include "sources/testi_sorgenti.h"

void Form1::dati_linea() { scrivi_file(percorso(nome_file_linea(nome_linea)), testo_linea()); }

void Form1::dati_treno() { scrivi_file(percorso(nome_file_servizio(nome_linea, nome_treno)), testo_servizio()); }

void Form1::dati_note() { scrivi_file(percorso(nome_file_note(nome_linea, nome_treno)), testo_note()); }

void Form1::dati_rallentamenti() {
  scrivi_file(percorso(nome_file_rallentamenti(nome_linea, nome_treno)), testo_rallentamenti());
}

void Form1::dati_scheda() { scrivi_file(percorso(nome_file_scheda(nome_linea, nome_treno)), testo_scheda()); }
