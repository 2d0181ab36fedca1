// The general part of the line file: route length, kilometre posts, backgrounds and
// the cab-signalling stretch, up to the first section header. Each record's fields go
// into the table entry they fill as they are read.
#include "loader/parte_generale.h"

#include <vector>

#include "loader/campi_record.h"
#include "loader/diagnosi.h"
#include "loader/leggi_chiave.h"
#include "loader/parole_chiave.h"
#include "loader/ripresa.h"
#include "model/guasto_caricamento.h"
#include "model/limiti.h"
#include "model/maiuscole.h"
#include "model/regole_griglia.h"

namespace {

// The general part being read, and what its records change.
struct generale {
  lettura& f;
  diagnosi& d;
  esito_caricamento& e;
  stato_generale& g;
  const ripresa& rip;
  bool con_tracciato;
};

// The route length sizes the grid (one cell per 50 m, plus 7000 m beyond the end) and
// the plan; an earlier grid and plan are discarded. False when the load stops there.
bool record_lunghezza_percorso(const generale& p) {
  scenario_compilato& sc = p.e.scenario;
  numero_letto lunghezza = leggi_numero(p.f.lettore);
  p.g.luogo_lunghezza = p.d.nel_file(lunghezza.campo);
  sc.tabella[voce_dati_treno].valore_b = lunghezza.valore;
  if (lunghezza.valore > lunghezza_massima_percorso) {
    p.d.codice(1, std::nullopt, {{p.d.record(), "the route length is " + std::to_string(lunghezza.valore) + " m"}});
    return false;
  }
  if (lunghezza.valore < 0) throw guasto_caricamento("negative route length " + std::to_string(lunghezza.valore));
  sc.lunghezza_griglia = lunghezza.valore + oltre_il_percorso;
  sc.n_celle = static_cast<int32_t>(arrotonda(sc.lunghezza_griglia / 50.0));
  sc.griglia.assign(static_cast<size_t>(sc.n_celle) + 1, cella{});
  p.e.origine_celle.clear();
  sc.tracciato = tracciato_piano{};
  if (p.con_tracciato) sc.tracciato.ultimo_metro = sc.lunghezza_griglia;
  return true;
}

void record_progressiva(const generale& p, int numero) {
  voce& v = p.e.scenario.tabella[static_cast<size_t>(numero)];
  v.valore_a = p.f.lettore.leggi_lungo();
  v.valore_b = p.f.lettore.leggi_lungo();
  v.valore_c = p.f.lettore.leggi_lungo();
  bool storta = v.valore_a % 50 != 0 || v.valore_b % 50 != 0;
  p.g.riga_progressiva_storta[static_cast<size_t>(numero - voce_progressiva_tre)] = storta ? p.d.record().riga : 0;
}

// The cab-signalling stretch: start and end on multiples of 50 m, and the code system
// named by the key; an end of 0 means no cab signalling. False when the load stops
// there.
bool record_ripetizione_segnali(const generale& p) {
  voce& v = p.e.scenario.tabella[voce_testata_treno];
  v.valore_a = p.f.lettore.leggi_lungo();
  v.valore_b = p.f.lettore.leggi_lungo();
  int32_t sistema = sistema_codici(p.f.chiave);
  int32_t codice = v.valore_a % 50 != 0 ? 3 : v.valore_b % 50 != 0 ? 4 : sistema == 0 ? 5 : 0;
  if (codice != 0) {
    std::vector<nota_diagnostica> note;
    if (codice != 5) {
      note.push_back({p.d.record(), "cab signalling from " + std::to_string(v.valore_a) + " m to " +
                                        std::to_string(v.valore_b) + " m"});
    }
    p.d.codice(codice, std::nullopt, std::move(note));
    return p.rip.riprende();
  }
  v.valore_c = v.valore_b == 0 ? 0 : sistema;
  return true;
}

// One record of the general part: false when the load stops there.
bool record_generale_letto(const generale& p, record_generale r) {
  tabella_generale& t = p.e.scenario.tabella;
  lettore_campi& l = p.f.lettore;
  switch (r) {
    case record_generale::lunghezza_percorso: return record_lunghezza_percorso(p);
    case record_generale::progressiva_tre: record_progressiva(p, voce_progressiva_tre); break;
    case record_generale::progressiva_due: record_progressiva(p, voce_progressiva_due); break;
    case record_generale::progressiva_uno: record_progressiva(p, voce_progressiva_uno); break;
    case record_generale::sfondo_uno: t[voce_testata_linea].valore_a = l.leggi_lungo(); break;
    case record_generale::sfondo_due: t[voce_testata_linea].valore_c = l.leggi_lungo(); break;
    case record_generale::sfondo_tre: t[voce_testata_linea].valore_b = l.leggi_lungo(); break;
    case record_generale::ripetizione_segnali: return record_ripetizione_segnali(p);
  }
  return true;
}

}  // namespace

bool leggi_parte_generale(lettura& f, diagnosi& d, esito_caricamento& e, stato_generale& g, const ripresa& rip,
                          bool con_tracciato) {
  const generale p{f, d, e, g, rip, con_tracciato};
  for (;;) {
    f.lettore.fine_record();
    if (f.lettore.fine_file()) return true;
    f.chiave = f.lettore.leggi_testo();
    if (f.lettore.fine_file()) return true;
    // A hyphenated field (a remark) is dropped, up to ten in a row, with no test for
    // the end of the file between them.
    for (int salti = 0; salti < 10 && contiene(f.chiave, "-"); ++salti) f.chiave = f.lettore.leggi_testo();
    prendi_chiave(f, d);
    std::vector<record_generale> record = record_generali(f.chiave);
    controlla_chiave(f, d, record.empty() ? nullptr : &forma(record[0]), sezioni_linea, parole_scritte_linea());
    for (record_generale r : record) {
      f.lettore.inizia_record(forma(r));
      if (!record_generale_letto(p, r)) return false;
      dopo_valori(f.lettore, d, esito_record::avanti);
    }
    if (!record.empty()) avvisa_campo_in_piu(f, d, forma(record.back()));
    if (chiude_parte_generale(f.chiave)) return true;
  }
}

void controlla_progressive(const tabella_generale& t, const stato_generale& g, const std::string& file_linea,
                           diagnosi& d) {
  int prima = 0;
  for (int riga : g.riga_progressiva_storta) {
    if (riga != 0 && (prima == 0 || riga < prima)) prima = riga;
  }
  const luogo_sorgente dove{file_linea, prima, 0};
  std::vector<nota_diagnostica> note;
  for (int j = voce_progressiva_tre; j <= voce_progressiva_uno; ++j) {
    const voce& w = t[static_cast<size_t>(j)];
    if (w.valore_a % 50 == 0 && w.valore_b % 50 == 0) continue;
    note.push_back({dove, "kilometre-post entry " + std::to_string(j) + " holds position " +
                              std::to_string(w.valore_a) + " m and value " + std::to_string(w.valore_b)});
  }
  if (note.empty()) return;
  d.al_record(dove);
  d.codice(2, std::nullopt, std::move(note));
}
