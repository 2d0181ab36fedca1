// The service half of the load: reads the service description file after the line
// file, in the same call, then deletes it and finishes the speed and adhesion step
// functions up to cell n_celle - 3.
//
// Every stop deletes the service file and returns at once; a position beyond the grid
// (code 15) instead ends the reading like the end of the file, so the end steps still
// run.
#include <string>
#include <vector>

#include "loader/campi_record.h"
#include "loader/carico.h"
#include "loader/parole_chiave.h"
#include "loader/record_servizio.h"
#include "loader/stazione.h"
#include "model/guasto_caricamento.h"

namespace {

// The service file's own state: the speed and adhesion laid so far, the records read,
// and whether "[generale]" was found.
struct stato_servizio {
  stato_passi passi;
  int n_record = 0;
  bool generale = false;
};

bool vuoto(const std::string& testo) { return testo.find_first_not_of(" \t\r\n") == std::string::npos; }

// The records that set the train's data go straight into the table as they are read.
esito_record record_servizio_letto(carico& c, stato_passi& s, record_servizio r) {
  lettore_campi& l = c.file.lettore;
  esito_caricamento& e = c.esito;
  tabella_generale& t = e.scenario.tabella;
  const luogo_sorgente& lunghezza = c.generale.luogo_lunghezza;
  switch (r) {
    case record_servizio::massa_frenata: t[voce_dati_treno].valore_a = l.leggi_lungo(); break;
    case record_servizio::vetture: t[voce_dati_treno].valore_c = l.leggi_lungo(); break;
    case record_servizio::velocita: return posa_velocita(leggi_coppia(l), s, e.scenario, c.d, lunghezza);
    case record_servizio::aderenza: return posa_aderenza(leggi_coppia(l), s, e.scenario, c.d, lunghezza);
    case record_servizio::orologio:
      t[voce_testata_treno].intero_c = l.leggi_intero();
      t[voce_testata_treno].intero_d = l.leggi_intero();
      t[voce_testata_treno].intero_e = l.leggi_intero();
      break;
    case record_servizio::sabbia: t[voce_testata_treno].intero_a = l.leggi_intero(); break;
    case record_servizio::segnale:
      return posa_segnale(leggi_segnale(l), e, c.d, lunghezza, c.linea_oltre_griglia);
    case record_servizio::rallentamento:
      return posa_rallentamento(leggi_rallentamento(l), e, c.d, lunghezza, c.linea_oltre_griglia);
    case record_servizio::abbattimento: return posa_abbattimento(leggi_coppia(l), e, c.d, lunghezza);
    case record_servizio::stazione: return record_stazione(l, c.voci, e, c.d, lunghezza);
  }
  return esito_record::avanti;
}

// The records, keyword after keyword: false when the reading stopped with a code.
bool leggi_record_servizio(carico& c, stato_servizio& s) {
  lettura& f = c.file;
  while (leggi_chiave(f, c.d)) {
    std::vector<record_servizio> record = record_del_servizio(f.chiave);
    controlla_chiave(f, c.d, record.empty() ? nullptr : &forma(record[0]), sezioni_servizio,
                     parole_scritte_servizio());
    s.n_record += static_cast<int>(record.size());
    try {
      for (record_servizio r : record) {
        f.lettore.inizia_record(forma(r));
        esito_record esito = record_servizio_letto(c, s.passi, r);
        dopo_valori(f.lettore, c.d, esito);
        if (!c.rip.prosegue(esito, f.lettore)) return esito == esito_record::fuori_griglia;
      }
      if (!record.empty()) avvisa_campo_in_piu(f, c.d, forma(record.back()));
    } catch (const guasto_caricamento& e) {
      if (!c.rip.dopo_guasto(e, c.d, f.lettore)) throw;
    }
  }
  if (s.generale) {
    if (s.n_record == 0) c.d.avviso("empty-service", "the service file holds no record", {c.file_servizio, 0, 0});
    controlla_fine(f.lettore, c.d);
  }
  return true;
}

// Up to "[generale]": whether it was found.
bool cerca_generale_servizio(carico& c) {
  lettura& f = c.file;
  while (!f.lettore.fine_file()) {
    f.chiave = f.lettore.leggi_testo();
    if (e_generale(f.chiave)) return true;
  }
  return false;
}

}  // namespace

void carica_servizio(carico& c) {
  c.d.campi_vuoti(c.file.lettore);
  c.d.al_record({c.file_servizio, 0, 0});
  c.file = lettura{lettore_campi(c.sorgenti.leggi(c.file_servizio)), "", 0};
  stato_servizio s;
  s.generale = cerca_generale_servizio(c);
  if (vuoto(c.file.lettore.testo())) {
    c.d.avviso("empty-service", "the service file is empty: no train data, speed, station or signal");
  } else if (!s.generale) {
    c.d.avviso("missing-generale", "no [generale] in the service file: nothing of it is read");
  }
  c.voci.n_stazione = 1;
  if (!leggi_record_servizio(c, s)) {
    c.sorgenti.elimina(c.file_servizio);
    return;
  }
  c.d.al_record({c.d.record().file, 0, 0});
  c.sorgenti.elimina(c.file_servizio);
  chiudi_passi(s.passi, c.esito.scenario);
  controlla_progressive(c.esito.scenario.tabella, c.generale, c.file_linea, c.d);
}
