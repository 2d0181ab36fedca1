// The line half of the loader: finds "[generale]", reads the general part, orders the
// kilometre posts, reads the body, deletes the line file, and lays the gradient and
// the plan up to the end of the grid.
//
// Only the last field of the file is never acted on: the reader tests for the end of
// the file after every field it reads in keyword position.
#include <vector>

#include "loader/caricatore.h"
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/campi_record.h"
#include "loader/parole_chiave.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"

bool caricatore::carica_linea(stato_caricamento& s) {
  d_.al_record({s.file_linea, 0, 0});
  if (!s.sorgenti.esiste(s.file_linea)) {
    d_.codice(101);
    return false;
  }
  s.lettore = lettore_campi(s.sorgenti.leggi(s.file_linea));
  if (!leggi_linea(s)) {
    s.sorgenti.elimina(s.file_linea);
    return false;
  }
  d_.al_record({d_.record().file, 0, 0});
  s.sorgenti.elimina(s.file_linea);
  coda_pendenze(s);
  if (scenario_.tracciato.esiste()) posa_rettilineo(scenario_.lunghezza_griglia - 2, false, s);
  return true;
}

// The reading of the line file: false when it stopped with a code.
bool caricatore::leggi_linea(stato_caricamento& s) {
  if (!cerca_generale_linea(s)) return false;
  if (!leggi_parte_generale(s)) return false;
  progressive_ordina(scenario_.tabella);
  return leggi_corpo_linea(s);
}

bool caricatore::cerca_generale_linea(stato_caricamento& s) {
  for (;;) {
    if (s.lettore.fine_file()) break;
    chiave_ = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) break;
    if (e_generale(chiave_)) return true;
  }
  d_.codice(102);
  return false;
}

bool caricatore::leggi_corpo_linea(stato_caricamento& s) {
  scenario_.n_montagne = 0;
  if (scenario_.tracciato.esiste()) scenario_.tracciato.semina();
  while (leggi_chiave(s)) {
    std::vector<record_corpo> record = record_del_corpo(chiave_, true);
    controlla_chiave(record.empty() ? nullptr : &forma(record[0]), sezioni_linea, parole_scritte_linea());
    if (!richiesta_.con_tracciato) std::erase(record, record_corpo::curva);  // read only while the plan is computed
    try {
      for (record_corpo r : record) {
        esito_record esito = esito_record::avanti;
        inizia_valori(s, forma(r));
        switch (r) {
          case record_corpo::pendenza: esito = record_pendenza(s); break;
          case record_corpo::curva: esito = record_curva(s); break;
          case record_corpo::montagna: esito = record_montagna(s); break;
          case record_corpo::indicatori_v: esito = record_indicatori(s); break;
          case record_corpo::cartello: esito = record_cartello(s); break;
        }
        dopo_valori(s, esito);
        bool finita = false;
        if (!dopo_record(s, esito, finita)) return s.linea_oltre_griglia = finita;
      }
      if (!record.empty()) avvisa_campo_in_piu(s, forma(record.back()));
    } catch (const guasto_caricamento& e) {
      if (!riprende(s)) throw;
      luogo_sorgente qui = d_.record();
      d_.guasto(e);
      d_.al_record(qui);
      s.lettore.salta_riga();
    }
  }
  controlla_fine(s);
  return true;
}
