// The general part of the line file: route length, kilometre posts, backgrounds and
// the cab-signalling stretch, up to the first section header.
#include "loader/caricatore.h"
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/campi_record.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/regole_griglia.h"
#include "model/maiuscole.h"
#include "loader/parole_chiave.h"

bool caricatore::leggi_parte_generale(stato_caricamento& s) {
  for (;;) {
    s.lettore.fine_record();
    if (s.lettore.fine_file()) return true;
    chiave_ = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) return true;
    // A hyphenated field (a remark) is dropped, up to ten in a row, with no test for
    // the end of the file between them.
    for (int salti = 0; salti < 10 && contiene(chiave_, "-"); ++salti) chiave_ = s.lettore.leggi_testo();
    prendi_chiave(s);
    std::vector<record_generale> record = record_generali(chiave_);
    controlla_chiave(record.empty() ? nullptr : &forma(record[0]), sezioni_linea, parole_scritte_linea());
    for (record_generale r : record) {
      inizia_valori(s, forma(r));
      switch (r) {
        case record_generale::lunghezza_percorso:
          if (!record_lunghezza_percorso(s)) return false;
          break;
        case record_generale::progressiva_tre: record_progressiva(s, voce_progressiva_tre); break;
        case record_generale::progressiva_due: record_progressiva(s, voce_progressiva_due); break;
        case record_generale::progressiva_uno: record_progressiva(s, voce_progressiva_uno); break;
        case record_generale::sfondo_uno: scenario_.tabella[voce_testata_linea].valore_a = s.lettore.leggi_lungo(); break;
        case record_generale::sfondo_due: scenario_.tabella[voce_testata_linea].valore_c = s.lettore.leggi_lungo(); break;
        case record_generale::sfondo_tre: scenario_.tabella[voce_testata_linea].valore_b = s.lettore.leggi_lungo(); break;
        case record_generale::ripetizione_segnali:
          if (!record_ripetizione_segnali(s)) return false;
          break;
      }
      dopo_valori(s, esito_record::avanti);
    }
    if (!record.empty()) avvisa_campo_in_piu(s, forma(record.back()));
    if (chiude_parte_generale(chiave_)) return true;
  }
}

// The route length sizes the grid (one cell per 50 m, plus 7000 m beyond the end) and
// the plan; an earlier grid and plan are discarded.
bool caricatore::record_lunghezza_percorso(stato_caricamento& s) {
  int32_t lunghezza = s.lettore.leggi_lungo();
  luogo_lunghezza_ = campo_letto_ora(s);
  scenario_.tabella[voce_dati_treno].valore_b = lunghezza;
  if (lunghezza > lunghezza_massima_percorso) {
    d_.codice(1, std::nullopt, {{d_.record(), "the route length is " + std::to_string(lunghezza) + " m"}});
    return false;
  }
  if (lunghezza < 0) throw guasto_caricamento("negative route length " + std::to_string(lunghezza));
  scenario_.lunghezza_griglia = lunghezza + oltre_il_percorso;
  scenario_.n_celle = static_cast<int32_t>(arrotonda(scenario_.lunghezza_griglia / 50.0));
  scenario_.griglia.assign(static_cast<size_t>(scenario_.n_celle) + 1, cella{});
  esito_.origine_celle.clear();
  scenario_.tracciato = tracciato_piano{};
  if (richiesta_.con_tracciato) scenario_.tracciato.ultimo_metro = scenario_.lunghezza_griglia;
  return true;
}

void caricatore::record_progressiva(stato_caricamento& s, int numero) {
  voce& v = scenario_.tabella[static_cast<size_t>(numero)];
  v.valore_a = s.lettore.leggi_lungo();
  v.valore_b = s.lettore.leggi_lungo();
  v.valore_c = s.lettore.leggi_lungo();
  bool storta = v.valore_a % 50 != 0 || v.valore_b % 50 != 0;
  s.riga_progressiva_storta[static_cast<size_t>(numero - voce_progressiva_tre)] = storta ? d_.record().riga : 0;
}

// The cab-signalling stretch: start and end on multiples of 50 m, and the code system
// named by the key; an end of 0 means no cab signalling.
bool caricatore::record_ripetizione_segnali(stato_caricamento& s) {
  voce& v = scenario_.tabella[voce_testata_treno];
  v.valore_a = s.lettore.leggi_lungo();
  v.valore_b = s.lettore.leggi_lungo();
  int32_t codice = v.valore_a % 50 != 0 ? 3 : v.valore_b % 50 != 0 ? 4 : sistema_codici(chiave_) == 0 ? 5 : 0;
  if (codice != 0) {
    std::vector<nota_diagnostica> note;
    if (codice != 5) {
      note.push_back({d_.record(), "cab signalling from " + std::to_string(v.valore_a) + " m to " +
                                        std::to_string(v.valore_b) + " m"});
    }
    d_.codice(codice, std::nullopt, std::move(note));
    return riprende(s);
  }
  v.valore_c = sistema_codici(chiave_);
  if (v.valore_b == 0) v.valore_c = 0;
  return true;
}
