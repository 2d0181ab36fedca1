// The service half of the loader: reads the service description file after the line
// file, in the same call, then deletes it and finishes the speed and adhesion step
// functions up to cell n_celle - 3.
//
// Every stop closes and deletes the service file and returns at once; a position beyond
// the grid (code 15) instead ends the reading like the end of the file, so the end
// steps still run.
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "loader/stato_caricamento.h"
#include "model/conversioni.h"
#include "model/regole_griglia.h"
#include "platform/file_servizi.h"
#include "sources/parole_chiave.h"

namespace {

int prima_riga_storta(const stato_caricamento& s) {
  int prima = 0;
  for (int riga : s.riga_progressiva_storta) {
    if (riga != 0 && (prima == 0 || riga < prima)) prima = riga;
  }
  return prima;
}

}  // namespace

void Form1::carica_servizio(stato_caricamento& s) {
  luogo_record = {nome_file_servizio(nome_linea, nome_treno), 0};
  s.lettore = lettore_campi(leggi_file(s.percorso_servizio));
  while (!s.lettore.fine_file()) {
    riga = s.lettore.leggi_testo();
    if (e_generale(riga)) break;
  }
  s.cursore_aderenza = 0;
  s.cursore_velocita = 0;
  s.n_stazione = 1;
  if (leggi_record_servizio(s)) fine_servizio(s);
}

void Form1::ferma_servizio(stato_caricamento& s, int32_t codice) {
  elimina_file(s.percorso_servizio);
  registra_codice(codice);
}

bool Form1::leggi_record_servizio(stato_caricamento& s) {
  while (leggi_chiave(s)) {
    for (record_servizio r : record_del_servizio(riga)) {
      esito_record esito = record_servizio_letto(s, r);
      if (esito == esito_record::fuori_griglia) return true;
      if (esito == esito_record::fermo) return false;
    }
  }
  return true;
}

esito_record Form1::record_servizio_letto(stato_caricamento& s, record_servizio r) {
  lettore_campi& l = s.lettore;
  switch (r) {
    case record_servizio::massa_frenata: tabella[voce_dati_treno].valore_a = l.leggi_lungo(); break;
    case record_servizio::vetture: tabella[voce_dati_treno].valore_c = l.leggi_lungo(); break;
    case record_servizio::velocita: return record_velocita(s);
    case record_servizio::aderenza: return record_aderenza(s);
    case record_servizio::orologio: {
      voce& v = tabella[voce_testata_treno];
      v.intero_c = l.leggi_intero();
      v.intero_d = l.leggi_intero();
      v.intero_e = l.leggi_intero();
      break;
    }
    case record_servizio::sabbia: tabella[voce_testata_treno].intero_a = l.leggi_intero(); break;
    case record_servizio::segnale: return record_segnale(s);
    case record_servizio::rallentamento: return record_rallentamento(s);
    case record_servizio::abbattimento: return record_abbattimento(s);
    case record_servizio::stazione: return record_stazione(s);
  }
  return esito_record::avanti;
}

// After the reading: the last speed and adhesion reach cell n_celle - 3, and the
// kilometre posts must stand on multiples of 50 m. A code 2 is traced back to the first
// kilometre-post record of the line file that is off the 50 m step: the ordering only
// swaps the records (or clears all three, and then none is off).
void Form1::fine_servizio(stato_caricamento& s) {
  luogo_record.riga = 0;
  elimina_file(s.percorso_servizio);
  do {
    cella_griglia(s.cursore_velocita).velocita = velocita_in_cella(s.velocita_vigente);
    ++s.cursore_velocita;
  } while (s.cursore_velocita < n_celle - 2);
  do {
    cella_griglia(s.cursore_aderenza).aderenza = basso8(s.aderenza_vigente);
    ++s.cursore_aderenza;
  } while (s.cursore_aderenza < n_celle - 2);
  for (int i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
    const voce& v = tabella[static_cast<size_t>(i)];
    if (v.valore_a % 50 != 0 || v.valore_b % 50 != 0) {
      luogo_record = {nome_file_linea(nome_linea), prima_riga_storta(s)};
      registra_codice(2);
    }
  }
}

// A speed limit is kept in steps of 5 km/h.
uint8_t Form1::velocita_in_cella(int64_t velocita) {
  return byte_o_guasto(arrotonda(static_cast<double>(velocita) / 5.0), "a speed limit / 5");
}
