// The line half of the load: finds "[generale]", reads the general part, orders the
// kilometre posts, reads the body, deletes the line file, and lays the gradient and
// the plan up to the end of the grid.
//
// Only the last field of the file is never acted on: the reader tests for the end of
// the file after every field it reads in keyword position.
#include <vector>

#include "loader/campi_record.h"
#include "loader/carico.h"
#include "loader/corpo_linea.h"
#include "loader/curva.h"
#include "loader/memo.h"
#include "loader/parole_chiave.h"
#include "model/guasto_caricamento.h"

namespace {

// The body's own state: the gradients and the plan laid so far, and the mountain
// stretch read last.
struct stato_corpo {
  stato_pendenze pendenze;
  stato_piano piano;
  luogo_sorgente luogo_montagna;
};

bool cerca_generale_linea(carico& c) {
  lettura& f = c.file;
  for (;;) {
    if (f.lettore.fine_file()) break;
    f.chiave = f.lettore.leggi_testo();
    if (f.lettore.fine_file()) break;
    if (e_generale(f.chiave)) return true;
  }
  c.d.codice(102);
  return false;
}

esito_record record_corpo_letto(carico& c, stato_corpo& s, record_corpo r) {
  lettore_campi& l = c.file.lettore;
  const luogo_sorgente& lunghezza = c.generale.luogo_lunghezza;
  switch (r) {
    case record_corpo::pendenza: return posa_pendenza(leggi_coppia(l), s.pendenze, c.esito.scenario, c.d, lunghezza);
    case record_corpo::curva:
      return posa_curva(leggi_curva(l, c.file.chiave), s.piano, c.esito.scenario, c.d, lunghezza);
    case record_corpo::montagna:
      return posa_montagna(leggi_montagna(l), s.luogo_montagna, c.esito.scenario, c.d, lunghezza);
    case record_corpo::indicatori_v: return posa_indicatori(leggi_indicatori(l), c.esito, c.d, lunghezza);
    case record_corpo::cartello:
      return posa_cartello(leggi_cartello(l), c.voci.cartello_libero, c.esito, c.d, lunghezza);
  }
  return esito_record::avanti;
}

// The body, keyword after keyword: false when the reading stopped with a code; true
// at the end of the file, or when a position beyond the grid ended the reading.
bool leggi_corpo_linea(carico& c, stato_corpo& s) {
  lettura& f = c.file;
  c.esito.scenario.n_montagne = 0;
  if (c.esito.scenario.tracciato.esiste()) c.esito.scenario.tracciato.semina();
  while (leggi_chiave(f, c.d)) {
    std::vector<record_corpo> record = record_del_corpo(f.chiave, true);
    controlla_chiave(f, c.d, record.empty() ? nullptr : &forma(record[0]), sezioni_linea, parole_scritte_linea());
    if (!c.richiesta.con_tracciato) std::erase(record, record_corpo::curva);  // read only while the plan is computed
    try {
      for (record_corpo r : record) {
        f.lettore.inizia_record(forma(r));
        esito_record esito = record_corpo_letto(c, s, r);
        dopo_valori(f.lettore, c.d, esito);
        if (!c.rip.prosegue(esito, f.lettore)) return c.linea_oltre_griglia = esito == esito_record::fuori_griglia;
      }
      if (!record.empty()) avvisa_campo_in_piu(f, c.d, forma(record.back()));
    } catch (const guasto_caricamento& e) {
      if (!c.rip.dopo_guasto(e, c.d, f.lettore)) throw;
    }
  }
  controlla_fine(f.lettore, c.d);
  return true;
}

// The reading of the line file: false when it stopped with a code.
bool leggi_linea(carico& c, stato_corpo& s) {
  if (!cerca_generale_linea(c)) return false;
  if (!leggi_parte_generale(c.file, c.d, c.esito, c.generale, c.rip, c.richiesta.con_tracciato)) return false;
  progressive_ordina(c.esito.scenario.tabella);
  return leggi_corpo_linea(c, s);
}

}  // namespace

bool carica_linea(carico& c) {
  c.d.al_record({c.file_linea, 0, 0});
  if (!c.sorgenti.esiste(c.file_linea)) {
    c.d.codice(101);
    return false;
  }
  c.file.lettore = lettore_campi(c.sorgenti.leggi(c.file_linea));
  stato_corpo s;
  if (!leggi_linea(c, s)) {
    c.sorgenti.elimina(c.file_linea);
    return false;
  }
  c.d.al_record({c.d.record().file, 0, 0});
  c.sorgenti.elimina(c.file_linea);
  scenario_compilato& sc = c.esito.scenario;
  coda_pendenze(s.pendenze, sc);
  if (sc.tracciato.esiste()) posa_rettilineo(s.piano, sc, c.d, sc.lunghezza_griglia - 2, false);
  return true;
}
