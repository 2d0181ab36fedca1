// The line half of the loader: finds "[generale]", reads the general part, orders the
// kilometre posts, reads the body, deletes the line file, and lays the gradient and
// the plan up to the end of the grid.
//
// Only the last field of the file is never acted on: the reader tests for the end of
// the file after every field it reads in keyword position.
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "loader/stato_caricamento.h"
#include "platform/file_servizi.h"
#include "sources/parole_chiave.h"

bool Form1::carica_linea(stato_caricamento& s) {
  luogo_record = {nome_file_linea(nome_linea), 0};
  if (!esiste_file(s.percorso_linea)) {
    registra_codice(101);
    return false;
  }
  s.lettore = lettore_campi(leggi_file(s.percorso_linea));
  if (!cerca_generale_linea(s)) return false;
  if (!leggi_parte_generale(s)) return false;
  progressive_ordina();
  if (!leggi_corpo_linea(s)) return false;
  luogo_record.riga = 0;
  elimina_file(s.percorso_linea);
  coda_pendenze(s);
  if (tracciato.esiste()) posa_rettilineo(s, lunghezza_griglia - 2, false);
  return true;
}

void Form1::ferma_linea(stato_caricamento& s, int32_t codice) {
  elimina_file(s.percorso_linea);
  registra_codice(codice);
}

bool Form1::cerca_generale_linea(stato_caricamento& s) {
  for (;;) {
    if (s.lettore.fine_file()) break;
    riga = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) break;
    if (e_generale(riga)) return true;
  }
  ferma_linea(s, 102);
  return false;
}

bool Form1::leggi_corpo_linea(stato_caricamento& s) {
  n_montagne = 0;
  if (tracciato.esiste()) tracciato.semina();
  while (leggi_chiave(s)) {
    for (record_corpo r : record_del_corpo(riga, con_tracciato != 0)) {
      esito_record esito = esito_record::avanti;
      switch (r) {
        case record_corpo::pendenza: esito = record_pendenza(s); break;
        case record_corpo::curva: esito = record_curva(s); break;
        case record_corpo::montagna: esito = record_montagna(s); break;
        case record_corpo::indicatori_v: esito = record_indicatori(s); break;
        case record_corpo::cartello: esito = record_cartello(s); break;
      }
      if (esito == esito_record::fuori_griglia) return true;
      if (esito == esito_record::fermo) return false;
    }
  }
  return true;
}

esito_record Form1::fuori_griglia(int64_t posizione) {
  registra_codice(15);
  posizione_errore = static_cast<int32_t>(posizione);
  return esito_record::fuori_griglia;
}
