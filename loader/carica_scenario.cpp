// The load's driver: `carica_scenario` reads the line description file and then, in
// the same call, the service description file, reaching both only through the
// `sorgenti_scenario` handed to it.
//
// Every failure while loading (a field that cannot be read, a value that does not fit,
// an access outside a structure, a file that cannot be read or deleted) that no record
// loop recovers from ends up here: both source files are deleted where they still
// exist and the load ends with code 25.
#include "loader/carica_scenario.h"

#include <filesystem>

#include "loader/carico.h"
#include "model/guasto_caricamento.h"
#include "model/nomi_file.h"

namespace {

void elimina_sorgenti(carico& c) {
  c.sorgenti.elimina_se_esiste(c.file_linea);
  c.sorgenti.elimina_se_esiste(c.file_servizio);
}

}  // namespace

esito_caricamento carica_scenario(const richiesta_caricamento& richiesta, sorgenti_scenario& sorgenti) {
  carico c(richiesta, sorgenti, nome_file_linea(richiesta.linea), nome_file_servizio(richiesta.linea, richiesta.treno));
  try {
    c.esito.scenario.tabella[voce_testata_linea].testo = richiesta.linea;
    c.esito.scenario.tabella[voce_testata_treno].testo = richiesta.treno;
    if (carica_linea(c)) carica_servizio(c);
  } catch (const guasto_caricamento& e) {
    elimina_sorgenti(c);
    c.d.guasto(e);
  } catch (const errore_file& e) {
    elimina_sorgenti(c);
    const std::string motivo = std::filesystem::path(e.percorso).filename().string() + ": " + e.motivo;
    c.d.codice(25, std::nullopt, {{c.d.record(), motivo}});
  }
  c.d.campi_vuoti(c.file.lettore);
  c.d.con_lettore(nullptr);  // the reader goes with `c`
  c.d.chiudi();
  c.esito.luogo_finale = c.d.record();
  return std::move(c.esito);
}
