// caricatore: the loader. It reads the line description file and then the service
// description file, through the `sorgenti_scenario` handed to it, into a scenario
// (grid, table, plan, mountain lists), and returns that scenario with every problem it
// found, each placed at the record that caused it, and the record that laid each
// cell's object. It deletes each source file once it has read it, as a run does.
//
// A compilation stops the load at the first code (code 15 only ends the line file's
// reading early); a check goes on after each stop with the next record, so that later
// records are checked too, as long as there is something to check them against. That
// is decided in one place, `riprende`.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "loader/diagnosi.h"
#include "loader/esito_caricamento.h"
#include "loader/griglia.h"
#include "loader/sorgenti_scenario.h"
#include "model/diagnostica.h"
#include "model/luogo_sorgente.h"
#include "model/scenario.h"

struct guasto_caricamento;
struct forma_record;
struct stato_caricamento;
class lettore_campi;
enum class esito_record : int;
enum class record_servizio;

class caricatore {
 public:
  explicit caricatore(richiesta_caricamento richiesta) : richiesta_(std::move(richiesta)) {}
  caricatore(const caricatore&) = delete;
  caricatore& operator=(const caricatore&) = delete;
  // Loads once: the result is moved out.
  esito_caricamento carica(sorgenti_scenario& sorgenti);

 private:
  // The two halves of the load; the line half says whether the service half follows.
  bool carica_linea(stato_caricamento& s);
  void carica_servizio(stato_caricamento& s);
  // After a stop: whether the reading goes on with the next record.
  bool riprende(const stato_caricamento& s) const;
  bool dopo_record(stato_caricamento& s, esito_record esito, bool& finita);
  void fallimento_caricamento(stato_caricamento& s, const guasto_caricamento* guasto, const std::string& motivo);
  esito_record ferma(int32_t codice, std::optional<int64_t> posizione = std::nullopt,
                     std::vector<nota_diagnostica> note = {}, std::optional<int64_t> in_colpa = std::nullopt);
  // The last field read, in the file being read.
  luogo_sorgente campo_letto_ora(const stato_caricamento& s) const;
  // The keyword field just read becomes the record being read.
  void prendi_chiave(stato_caricamento& s);
  // Before and after one record's values: the reader is told the record's shape, and
  // a record that took a field from a later line is warned of.
  void inizia_valori(stato_caricamento& s, const forma_record& f);
  void dopo_valori(stato_caricamento& s, esito_record esito);
  // After the records of one keyword: a field left over on the line is warned of.
  void avvisa_campo_in_piu(stato_caricamento& s, const forma_record& f);
  // A stretch value read after one at a later position: the one before it ends early.
  void avvisa_ordine(int64_t posizione, int64_t precedente, const char* cosa, const luogo_sorgente& luogo_precedente,
                     const luogo_sorgente& campo, int64_t dal_metro);

  // The line half, its records and the plan.
  bool leggi_linea(stato_caricamento& s);
  bool cerca_generale_linea(stato_caricamento& s);
  bool leggi_parte_generale(stato_caricamento& s);
  bool leggi_corpo_linea(stato_caricamento& s);
  bool leggi_chiave(stato_caricamento& s);
  void controlla_chiave(const forma_record* riconosciuta, const char* const* sezioni,
                        std::span<const char* const> parole);
  bool record_lunghezza_percorso(stato_caricamento& s);
  void record_progressiva(stato_caricamento& s, int numero);
  bool record_ripetizione_segnali(stato_caricamento& s);
  esito_record record_pendenza(stato_caricamento& s);
  esito_record record_curva(stato_caricamento& s);
  esito_record record_montagna(stato_caricamento& s);
  esito_record record_indicatori(stato_caricamento& s);
  esito_record record_cartello(stato_caricamento& s);
  bool posa_rettilineo(int64_t fino_a, bool limite_piano, stato_caricamento& s);
  bool posa_metri(stato_caricamento& s, int64_t fino_a, bool curva, double curvatura, bool limite_piano);
  void coda_pendenze(stato_caricamento& s);
  void controlla_fine(stato_caricamento& s);

  // The service half and its records.
  bool leggi_record_servizio(stato_caricamento& s);
  esito_record record_servizio_letto(stato_caricamento& s, record_servizio r);
  void fine_servizio(stato_caricamento& s);
  uint8_t velocita_in_cella(stato_caricamento& s);
  esito_record record_velocita(stato_caricamento& s);
  esito_record record_aderenza(stato_caricamento& s);
  esito_record record_segnale(stato_caricamento& s);
  esito_record record_rallentamento(stato_caricamento& s);
  esito_record dopo_memo(stato_caricamento& s, int32_t posizione, const std::optional<rifiuto>& r);
  esito_record record_abbattimento(stato_caricamento& s);
  esito_record record_stazione(stato_caricamento& s);
  std::string nome_stazione(int i) const;
  nota_diagnostica nota_stazione(int i, const std::string& testo) const;

  richiesta_caricamento richiesta_;
  esito_caricamento esito_;
  scenario_compilato& scenario_ = esito_.scenario;
  diagnosi d_{esito_.diagnostiche, richiesta_.senza_avvisi};
  std::string chiave_;           // the field read last in keyword position
  int riga_avvisata_ = 0;        // the last line given an unknown-keyword warning
  luogo_sorgente luogo_lunghezza_;  // the route length's value, where one was read
};
