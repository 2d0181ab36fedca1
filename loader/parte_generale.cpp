// The general part of the line file: route length, kilometre posts, backgrounds and
// the cab-signalling stretch, up to the first section header.
#include "compiler/compilatore.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"
#include "sources/maiuscole.h"
#include "sources/parole_chiave.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;  // metres
constexpr int32_t oltre_il_percorso = 7000;     // metres of grid beyond the route's end

}  // namespace

bool compilatore::leggi_parte_generale(stato_caricamento& s) {
  for (;;) {
    if (s.lettore.fine_file()) return true;
    riga = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) return true;
    // A hyphenated field (a remark) is dropped, up to ten in a row, with no test for
    // the end of the file between them.
    for (int salti = 0; salti < 10 && contiene(riga, "-"); ++salti) riga = s.lettore.leggi_testo();
    luogo_record.riga = s.lettore.riga_campo();
    luogo_record.colonna = s.lettore.colonna_campo();
    std::vector<record_generale> record = record_generali(riga);
    controlla_chiave(!record.empty(), sezioni_linea);
    for (record_generale r : record) {
      switch (r) {
        case record_generale::lunghezza_percorso:
          if (!record_lunghezza_percorso(s)) return false;
          break;
        case record_generale::progressiva_tre: record_progressiva(s, voce_progressiva_tre); break;
        case record_generale::progressiva_due: record_progressiva(s, voce_progressiva_due); break;
        case record_generale::progressiva_uno: record_progressiva(s, voce_progressiva_uno); break;
        case record_generale::sfondo_uno: tabella[voce_testata_linea].valore_a = s.lettore.leggi_lungo(); break;
        case record_generale::sfondo_due: tabella[voce_testata_linea].valore_c = s.lettore.leggi_lungo(); break;
        case record_generale::sfondo_tre: tabella[voce_testata_linea].valore_b = s.lettore.leggi_lungo(); break;
        case record_generale::ripetizione_segnali:
          if (!record_ripetizione_segnali(s)) return false;
          break;
      }
    }
    if (chiude_parte_generale(riga)) return true;
  }
}

// The route length sizes the grid (one cell per 50 m, plus 7000 m beyond the end) and
// the plan; an earlier grid and plan are discarded.
bool compilatore::record_lunghezza_percorso(stato_caricamento& s) {
  int32_t lunghezza = s.lettore.leggi_lungo();
  tabella[voce_dati_treno].valore_b = lunghezza;
  if (lunghezza > lunghezza_massima) {
    ferma_linea(s, 1, std::nullopt, {{luogo_record, "the route length is " + std::to_string(lunghezza) + " m"}});
    return false;
  }
  if (lunghezza < 0) throw guasto_caricamento("negative route length " + std::to_string(lunghezza));
  lunghezza_griglia = lunghezza + oltre_il_percorso;
  n_celle = static_cast<int32_t>(arrotonda(lunghezza_griglia / 50.0));
  griglia.assign(static_cast<size_t>(n_celle) + 1, cella{});
  origine_celle.clear();
  tracciato = tracciato_piano{};
  if (con_tracciato != 0) tracciato.ultimo_metro = lunghezza_griglia;
  return true;
}

void compilatore::record_progressiva(stato_caricamento& s, int numero) {
  voce& v = tabella[static_cast<size_t>(numero)];
  v.valore_a = s.lettore.leggi_lungo();
  v.valore_b = s.lettore.leggi_lungo();
  v.valore_c = s.lettore.leggi_lungo();
  bool storta = v.valore_a % 50 != 0 || v.valore_b % 50 != 0;
  s.riga_progressiva_storta[static_cast<size_t>(numero - voce_progressiva_tre)] = storta ? luogo_record.riga : 0;
}

// The cab-signalling stretch: start and end on multiples of 50 m, and the code system
// named by the key; an end of 0 means no cab signalling.
bool compilatore::record_ripetizione_segnali(stato_caricamento& s) {
  voce& v = tabella[voce_testata_treno];
  v.valore_a = s.lettore.leggi_lungo();
  v.valore_b = s.lettore.leggi_lungo();
  int32_t codice = v.valore_a % 50 != 0 ? 3 : v.valore_b % 50 != 0 ? 4 : sistema_codici(riga) == 0 ? 5 : 0;
  if (codice != 0) {
    std::vector<nota_diagnostica> note;
    if (codice != 5) {
      note.push_back({luogo_record, "cab signalling from " + std::to_string(v.valore_a) + " m to " +
                                        std::to_string(v.valore_b) + " m"});
    }
    ferma_linea(s, codice, std::nullopt, std::move(note));
    if (!recupera) return false;
    codice_errore = 0;
    return true;
  }
  v.valore_c = sistema_codici(riga);
  if (v.valore_b == 0) v.valore_c = 0;
  return true;
}
