// The service half of the loader: reads the service description file after the line
// file, in the same call, then deletes it and finishes the speed and adhesion step
// functions up to cell scenario_.n_celle - 3.
//
// Every stop closes and deletes the service file and returns at once; a position beyond
// the grid (code 15) instead ends the reading like the end of the file, so the end
// steps still run.
#include "loader/caricatore.h"
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/campi_record.h"
#include "loader/stato_caricamento.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"
#include "loader/parole_chiave.h"

namespace {

int prima_riga_storta(const stato_caricamento& s) {
  int prima = 0;
  for (int riga : s.riga_progressiva_storta) {
    if (riga != 0 && (prima == 0 || riga < prima)) prima = riga;
  }
  return prima;
}

bool vuoto(const std::string& testo) { return testo.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

void caricatore::carica_servizio(stato_caricamento& s) {
  d_.campi_vuoti(s.lettore);
  d_.al_record({s.file_servizio, 0, 0});
  riga_avvisata_ = 0;
  s.lettore = lettore_campi(s.sorgenti.leggi(s.file_servizio));
  while (!s.lettore.fine_file()) {
    chiave_ = s.lettore.leggi_testo();
    if (e_generale(chiave_)) {
      s.generale_servizio = true;
      break;
    }
  }
  if (vuoto(s.lettore.testo())) {
    d_.avviso("empty-service", "the service file is empty: no train data, speed, station or signal");
  } else if (!s.generale_servizio) {
    d_.avviso("missing-generale", "no [generale] in the service file: nothing of it is read");
  }
  s.cursore_aderenza = 0;
  s.cursore_velocita = 0;
  s.n_stazione = 1;
  if (!leggi_record_servizio(s)) {
    s.sorgenti.elimina(s.file_servizio);
    return;
  }
  d_.al_record({d_.record().file, 0, 0});
  s.sorgenti.elimina(s.file_servizio);
  fine_servizio(s);
}

bool caricatore::leggi_record_servizio(stato_caricamento& s) {
  while (leggi_chiave(s)) {
    std::vector<record_servizio> record = record_del_servizio(chiave_);
    controlla_chiave(record.empty() ? nullptr : &forma(record[0]), sezioni_servizio, parole_scritte_servizio());
    s.n_record += static_cast<int>(record.size());
    try {
      for (record_servizio r : record) {
        inizia_valori(s, forma(r));
        esito_record esito = record_servizio_letto(s, r);
        dopo_valori(s, esito);
        bool finita = false;
        if (!dopo_record(s, esito, finita)) return finita;
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
  if (s.generale_servizio) {
    if (s.n_record == 0) d_.avviso("empty-service", "the service file holds no record", {s.file_servizio, 0, 0});
    controlla_fine(s);
  }
  return true;
}

esito_record caricatore::record_servizio_letto(stato_caricamento& s, record_servizio r) {
  lettore_campi& l = s.lettore;
  switch (r) {
    case record_servizio::massa_frenata: scenario_.tabella[voce_dati_treno].valore_a = l.leggi_lungo(); break;
    case record_servizio::vetture: scenario_.tabella[voce_dati_treno].valore_c = l.leggi_lungo(); break;
    case record_servizio::velocita: return record_velocita(s);
    case record_servizio::aderenza: return record_aderenza(s);
    case record_servizio::orologio: {
      voce& v = scenario_.tabella[voce_testata_treno];
      v.intero_c = l.leggi_intero();
      v.intero_d = l.leggi_intero();
      v.intero_e = l.leggi_intero();
      break;
    }
    case record_servizio::sabbia: scenario_.tabella[voce_testata_treno].intero_a = l.leggi_intero(); break;
    case record_servizio::segnale: return record_segnale(s);
    case record_servizio::rallentamento: return record_rallentamento(s);
    case record_servizio::abbattimento: return record_abbattimento(s);
    case record_servizio::stazione: return record_stazione(s);
  }
  return esito_record::avanti;
}

// After the reading: the last speed and adhesion reach cell scenario_.n_celle - 3, and the
// kilometre posts must stand on multiples of 50 m. A code 2 is traced back to the first
// kilometre-post record of the line file that is off the 50 m step: the ordering only
// swaps the records (or clears all three, and then none is off).
void caricatore::fine_servizio(stato_caricamento& s) {
  do {
    cella_griglia(scenario_, s.cursore_velocita).velocita = velocita_in_cella(s);
    ++s.cursore_velocita;
  } while (s.cursore_velocita < scenario_.n_celle - 2);
  do {
    cella_griglia(scenario_, s.cursore_aderenza).aderenza = basso8(s.aderenza_vigente);
    ++s.cursore_aderenza;
  } while (s.cursore_aderenza < scenario_.n_celle - 2);
  for (int i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
    const voce& v = scenario_.tabella[static_cast<size_t>(i)];
    if (v.valore_a % 50 != 0 || v.valore_b % 50 != 0) {
      d_.al_record({s.file_linea, prima_riga_storta(s), 0});
      std::vector<nota_diagnostica> note;
      for (int j = voce_progressiva_tre; j <= voce_progressiva_uno; ++j) {
        const voce& w = scenario_.tabella[static_cast<size_t>(j)];
        if (w.valore_a % 50 == 0 && w.valore_b % 50 == 0) continue;
        note.push_back({d_.record(), "kilometre-post entry " + std::to_string(j) + " holds position " +
                                          std::to_string(w.valore_a) + " m and value " + std::to_string(w.valore_b)});
      }
      d_.codice(2, std::nullopt, std::move(note));
      break;
    }
  }
}

// A speed limit is kept in steps of 5 km/h; one that does not fit the cell's byte fails
// the load at the record that set it. It is then dropped, so that a check that goes on
// meets it once.
uint8_t caricatore::velocita_in_cella(stato_caricamento& s) {
  int64_t passi = arrotonda(static_cast<double>(s.velocita_vigente) / 5.0);
  if (passi < 0 || passi > 255) {
    s.velocita_vigente = 0;
    throw guasto_caricamento("a speed limit / 5 " + std::to_string(passi) + " does not fit a byte", s.luogo_velocita,
                             std::nullopt);
  }
  return static_cast<uint8_t>(passi);
}
