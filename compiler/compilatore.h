// compilatore: the scenario compiler as a library. It reads the two source files
// through the `sorgenti_scenario` handed to it, lays them into the scenario
// (`scenario_compilato`: grid, table, plan, mountain lists), runs the code placement
// passes and stamps the header slots and checksums. It needs no platform and writes
// nothing: the run object `Form1` and `scenario_tool` write the compiled files.
//
// Every problem is recorded where it happens in `diagnostiche`, in the order found;
// `codice_errore` and `posizione_errore` keep the last recorded code and its position,
// as the compiled run reports them. Each `compila` starts from nothing.
//
// The loader's procedures live in loader/, the passes and checksums in compiler/.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/diagnostica.h"
#include "model/luogo_sorgente.h"
#include "model/scenario.h"

class sorgenti_scenario;
struct stato_caricamento;
enum class esito_record : int;
enum class record_servizio;

class compilatore : public scenario_compilato {
 public:
  // Loads, runs the passes and checks the header slots: the result is 0, or the code
  // 1250 or 1251 of a header slot that was already taken (the scenario is then left
  // unstamped). With no grid, nothing after the load runs.
  int32_t compila(sorgenti_scenario& sorgenti, int32_t j);

  // ---- Loader (loader/)
  void memorizza_dati(sorgenti_scenario& sorgenti);
  // The two halves of the load, in the order memorizza_dati runs them; the line half
  // says whether the service half follows.
  bool carica_linea(stato_caricamento& s);
  void carica_servizio(stato_caricamento& s);
  void progressive_ordina();
  void memo_montagna(int32_t& inizio, int32_t& fine, int32_t& tipo);
  void memo_indicatori_v_max(int32_t posizione, int32_t& vas, int32_t& vbs, int32_t& vcs, int32_t& strisces,
                             int32_t& vad, int32_t& vbd, int32_t& vcd, int32_t& strisced);
  void memo_segnale(int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3, int32_t& rapp,
                    int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3, int32_t& tempo);
  void memo_rallentamento(int32_t x, int32_t& v, int32_t& l, int32_t& f_tt, int32_t f_ta, int32_t& d_v);

  // Cell k and entry i, or a load failure when they lie outside the grid or the table.
  cella& cella_griglia(int64_t k);
  voce& voce_tabella(int64_t i);

  // ---- Compiler back end (compiler/)
  void passi_codici();
  void metti_punto_codice(int64_t c);
  int32_t minimo(int32_t x, int32_t y);
  int32_t codice_gara_og();
  int32_t codice_gara_st();

  // ---- State of a compilation
  std::string nome_linea;
  std::string nome_treno;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  std::string riga;  // the field last read in keyword position
  int32_t con_tracciato = 0;

  // The check's way of loading: after a stop the loader skips the record and goes on
  // with the next keyword line, so that later records are checked too. The compiled
  // scenario is then not the one that a compilation gives.
  bool recupera = false;

  std::vector<diagnostica> diagnostiche;
  luogo_sorgente luogo_record;                      // the record the loader is handling (line 0: none)
  std::map<int64_t, luogo_sorgente> origine_celle;  // the record that laid each cell's object

 private:
  void ricomincia();
  int32_t timbra_testate();
  int32_t testata_occupata(int32_t codice);

  // Loader (loader/): recording what it finds.
  void fallimento_caricamento(stato_caricamento& s, const std::string& motivo);
  void registra_codice(int32_t codice, std::optional<int64_t> posizione = std::nullopt,
                       std::vector<nota_diagnostica> note = {});
  void avvisa(const std::string& nome, const std::string& messaggio, luogo_sorgente dove = {});
  void annota_origine(int64_t k);
  nota_diagnostica nota_cella(int64_t k, const std::string& quale, const luogo_sorgente& altrimenti) const;
  std::vector<nota_diagnostica> note_rifiuto();
  nota_diagnostica nota_griglia() const;
  void avvisi_campi_vuoti(stato_caricamento& s);
  void avvisa_troncato(int64_t valore, int bit, const char* cosa);

  // Loader (loader/): the line half, its records and the plan.
  bool cerca_generale_linea(stato_caricamento& s);
  bool leggi_parte_generale(stato_caricamento& s);
  bool leggi_corpo_linea(stato_caricamento& s);
  bool leggi_chiave(stato_caricamento& s);
  void controlla_chiave(bool riconosciuta, const char* const* sezioni);
  void ferma_linea(stato_caricamento& s, int32_t codice, std::optional<int64_t> posizione = std::nullopt,
                   std::vector<nota_diagnostica> note = {});
  bool record_lunghezza_percorso(stato_caricamento& s);
  void record_progressiva(stato_caricamento& s, int numero);
  bool record_ripetizione_segnali(stato_caricamento& s);
  esito_record record_pendenza(stato_caricamento& s);
  esito_record record_curva(stato_caricamento& s);
  esito_record record_montagna(stato_caricamento& s);
  esito_record record_indicatori(stato_caricamento& s);
  esito_record record_cartello(stato_caricamento& s);
  esito_record fuori_griglia(stato_caricamento& s, int64_t posizione);
  esito_record fermo_o_avanti(stato_caricamento& s);
  bool posa_rettilineo(stato_caricamento& s, int64_t fino_a, bool limite_piano);
  bool posa_curva(stato_caricamento& s, int64_t fino_a, double curvatura);
  bool posa_metri(stato_caricamento& s, int64_t fino_a, bool curva, double curvatura, bool limite_piano);
  void coda_pendenze(stato_caricamento& s);
  void controlla_fine(stato_caricamento& s);

  // Loader (loader/): the service half and its records.
  bool leggi_record_servizio(stato_caricamento& s);
  esito_record record_servizio_letto(stato_caricamento& s, record_servizio r);
  void ferma_servizio(stato_caricamento& s, int32_t codice, std::optional<int64_t> posizione = std::nullopt,
                      std::vector<nota_diagnostica> note = {});
  void fine_servizio(stato_caricamento& s);
  uint8_t velocita_in_cella(stato_caricamento& s);
  esito_record record_velocita(stato_caricamento& s);
  esito_record record_aderenza(stato_caricamento& s);
  esito_record record_segnale(stato_caricamento& s);
  esito_record record_rallentamento(stato_caricamento& s);
  esito_record dopo_memo(stato_caricamento& s, int32_t posizione);
  esito_record record_abbattimento(stato_caricamento& s);
  esito_record record_stazione(stato_caricamento& s);
  esito_record ferma_stazione(stato_caricamento& s, int32_t codice, std::optional<int64_t> posizione,
                              std::vector<nota_diagnostica> note = {});
  std::string nome_stazione(int i) const;
  nota_diagnostica nota_stazione(int i, const std::string& testo) const;

  // Compiler back end (compiler/): the passes' cell operations and the checksum window.
  cella& cella_passi(int64_t c);
  bool libera_per_passi(int64_t c);
  void registra_errore(int32_t codice, int64_t cella, int64_t oggetto, std::vector<nota_diagnostica> note);
  std::vector<nota_diagnostica> note_celle(std::initializer_list<std::pair<int64_t, const char*>> celle);
  void passo_a(int64_t i);
  void passo_b(int64_t i);
  std::optional<int64_t> passo_c(int64_t i);
  std::optional<int64_t> cerca_fine(int64_t i);
  void passo_d(int64_t e, int64_t i);
  void prepara_finestra_codice();

  int64_t cella_rifiutata_ = -1;  // the occupied cell that a store refused, or -1
  int riga_avvisata_ = 0;         // the last line given an unknown-keyword warning
};
