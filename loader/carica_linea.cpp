// The line half of the loader: finds "[generale]", reads the general part, orders the
// kilometre posts, reads the body, deletes the line file, and lays the gradient and
// the plan up to the end of the grid.
//
// Only the last field of the file is never acted on: the reader tests for the end of
// the file after every field it reads in keyword position.
#include <vector>

#include "compiler/compilatore.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "sources/parole_chiave.h"

bool compilatore::carica_linea(stato_caricamento& s) {
  luogo_record = {s.file_linea, 0, 0};
  if (!s.sorgenti.esiste(s.file_linea)) {
    registra_codice(101);
    return false;
  }
  s.lettore = lettore_campi(s.sorgenti.leggi(s.file_linea));
  if (!cerca_generale_linea(s)) return false;
  if (!leggi_parte_generale(s)) return false;
  progressive_ordina();
  if (!leggi_corpo_linea(s)) return false;
  luogo_record.riga = 0;
  luogo_record.colonna = 0;
  if (!recupera) s.sorgenti.elimina(s.file_linea);
  coda_pendenze(s);
  if (tracciato.esiste()) posa_rettilineo(s, lunghezza_griglia - 2, false);
  return true;
}

void compilatore::ferma_linea(stato_caricamento& s, int32_t codice, std::optional<int64_t> posizione,
                              std::vector<nota_diagnostica> note) {
  if (!recupera) s.sorgenti.elimina(s.file_linea);
  registra_codice(codice, posizione, std::move(note));
}

bool compilatore::cerca_generale_linea(stato_caricamento& s) {
  for (;;) {
    if (s.lettore.fine_file()) break;
    riga = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) break;
    if (e_generale(riga)) return true;
  }
  ferma_linea(s, 102);
  return false;
}

bool compilatore::leggi_corpo_linea(stato_caricamento& s) {
  n_montagne = 0;
  if (tracciato.esiste()) tracciato.semina();
  while (leggi_chiave(s)) {
    std::vector<record_corpo> record = record_del_corpo(riga, true);
    controlla_chiave(!record.empty(), sezioni_linea);
    if (con_tracciato == 0) std::erase(record, record_corpo::curva);  // read only while the plan is computed
    try {
      for (record_corpo r : record) {
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
    } catch (const guasto_caricamento& e) {
      if (!recupera || griglia.empty()) throw;
      registra_codice(25, std::nullopt, {{luogo_record, e.what()}});
      fermo_o_avanti(s);
    }
  }
  controlla_fine(s);
  return true;
}

esito_record compilatore::fuori_griglia(stato_caricamento& s, int64_t posizione) {
  registra_codice(15, posizione, {nota_griglia()});
  if (recupera) return fermo_o_avanti(s);
  return esito_record::fuori_griglia;
}

// After a stop: the load ends, or, while checking, the rest of the record's line is
// skipped and the next keyword line follows.
esito_record compilatore::fermo_o_avanti(stato_caricamento& s) {
  if (!recupera) return esito_record::fermo;
  codice_errore = 0;
  s.lettore.salta_riga();
  return esito_record::avanti;
}
