// The loader's entry and its recording: `carica` reads the line description file and
// then, in the same call, the service description file, reaching both only through the
// `sorgenti_scenario` handed to it.
//
// Every failure while loading (a field that cannot be read, a value that does not fit,
// an access outside a structure, a file that cannot be read or deleted) ends up in
// the one failure handler below: both source files are deleted where they still
// exist and the load ends with code 25.
//
// Alongside, the loader keeps where it is in the source files (`d_.record()`), and
// every code it records becomes a diagnostic placed at the record that caused it (at
// the field that holds the position in question, where one does), with
// notes on what stands in the way, taken from the grid and the table as they are then.
#include "loader/caricatore.h"
#include "loader/carica_scenario.h"

#include <filesystem>

#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "model/nomi_file.h"

esito_caricamento carica_scenario(const richiesta_caricamento& richiesta, sorgenti_scenario& sorgenti) {
  return caricatore(richiesta).carica(sorgenti);
}

esito_caricamento caricatore::carica(sorgenti_scenario& sorgenti) {
  stato_caricamento s(sorgenti, nome_file_linea(richiesta_.linea),
                      nome_file_servizio(richiesta_.linea, richiesta_.treno));
  try {
    scenario_.tabella[voce_testata_linea].testo = richiesta_.linea;
    scenario_.tabella[voce_testata_treno].testo = richiesta_.treno;
    if (carica_linea(s)) carica_servizio(s);
  } catch (const guasto_caricamento& e) {
    fallimento_caricamento(s, &e, e.what());
  } catch (const errore_file& e) {
    fallimento_caricamento(s, nullptr, std::filesystem::path(e.percorso).filename().string() + ": " + e.motivo);
  }
  d_.campi_vuoti(s.lettore);
  d_.con_lettore(nullptr);  // it goes with `s`
  d_.chiudi();
  esito_.luogo_finale = d_.record();
  return std::move(esito_);
}

// One decision for every stop: a compilation ends the reading at its first code; a
// check goes on with the next record while there is something to check it against: a
// grid, and a table entry for a later station.
bool caricatore::riprende(const stato_caricamento& s) const {
  return richiesta_.recupera && !scenario_.griglia.empty() && s.n_stazione < s.cartello_libero;
}

// What the record loop does after a record: false when the reading ends, with
// `finita` telling whether it ended like the end of the file (a position beyond the
// grid, code 15) or stopped.
bool caricatore::dopo_record(stato_caricamento& s, esito_record esito, bool& finita) {
  if (esito == esito_record::avanti) return true;
  if (riprende(s)) {
    s.lettore.salta_riga();
    return true;
  }
  finita = esito == esito_record::fuori_griglia;
  return false;
}

void caricatore::fallimento_caricamento(stato_caricamento& s, const guasto_caricamento* guasto,
                                        const std::string& motivo) {
  s.sorgenti.elimina_se_esiste(s.file_linea);
  s.sorgenti.elimina_se_esiste(s.file_servizio);
  if (guasto != nullptr) {
    d_.guasto(*guasto);
  } else {
    d_.codice(25, std::nullopt, {{d_.record(), motivo}});
  }
}

esito_record caricatore::ferma(int32_t codice, std::optional<int64_t> posizione, std::vector<nota_diagnostica> note,
                               std::optional<int64_t> in_colpa) {
  d_.codice(codice, posizione, std::move(note), in_colpa);
  return esito_record::fermo;
}

luogo_sorgente caricatore::campo_letto_ora(const stato_caricamento& s) const {
  return d_.nel_file(s.lettore.ultimo_campo().luogo);
}

void caricatore::avvisa_ordine(int64_t posizione, int64_t precedente, const char* cosa,
                               const luogo_sorgente& luogo_precedente, const luogo_sorgente& campo,
                               int64_t dal_metro) {
  std::string p = std::to_string(posizione), q = std::to_string(precedente);
  d_.avviso(std::string(cosa) == "speed limit" ? "speed-order" : "adhesion-order",
         std::string(cosa) + " at " + p + " m comes after one at " + q + " m: they are laid in the order read",
         campo,
         {{luogo_precedente, "the " + std::string(cosa) + " at " + q + " m covers only up to " +
                                 std::to_string(dal_metro - 1) + " m, and the one at " + p + " m takes effect from " +
                                 std::to_string(dal_metro) + " m, not from " + p + " m"}});
}
