// Form1: the program's one window object.
//
// Every piece of state that the run shares lives here, from the two names to the
// compiled scenario (`griglia`, `tabella`, `tracciato`, the mountain lists) and the
// error state; every procedure of the run is a procedure of this object. Each
// subsystem defines its own procedures in its own folder: driver/ the run sequence and
// `errore`, sources/ and documents/ the text writers, loader/ `memorizza_dati` and its
// stores, compiler/ `memorizza_percorso`, the passes and the checksums. The desktop is
// reached only through the `Piattaforma` handed in, so a run can be made headless.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/cella.h"
#include "model/luogo_sorgente.h"
#include "model/tracciato.h"
#include "model/voce.h"
#include "platform/piattaforma.h"

struct stato_caricamento;
enum class esito_record : int;
enum class record_servizio;

// Thrown by `errore` once its message box is closed: the run ends there.
struct fine_programma {};

class Form1 {
 public:
  explicit Form1(Piattaforma& piattaforma) : piattaforma(piattaforma) {}

  // ---- Run driver (driver/)
  void Form_Load();
  [[noreturn]] void errore(const std::string& a);
  // The full path of a file of the run: the program's directory, the separator, `nome`.
  std::string percorso(const std::string& nome) const;

  // ---- Text writers (sources/, documents/)
  void dati_linea();
  void dati_treno();
  void dati_note();
  void dati_rallentamenti();
  void dati_scheda();

  // ---- Loader (loader/)
  void memorizza_dati();
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
  void memorizza_percorso(int32_t& j);
  void passi_codici();
  void metti_punto_codice(int64_t c);
  int32_t minimo(int32_t x, int32_t y);
  int32_t codice_gara_og();
  int32_t codice_gara_st();

  // ---- Form-level state
  Piattaforma& piattaforma;
  std::string nome_linea;
  std::string nome_treno;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  std::string riga;  // the field last read in keyword position
  int32_t con_tracciato = 0;
  int32_t lunghezza_griglia = 0;
  int32_t n_celle = 0;
  int32_t n_montagne = 0;
  std::vector<cella> griglia;  // cells 0 to n_celle; empty until the route length is read
  tabella_generale tabella;
  tracciato_piano tracciato;
  std::array<int32_t, 81> montagne_inizio{};
  std::array<int32_t, 81> montagne_fine{};

  // Where the codes and the objects of a load come from, for explaining a code to a
  // route author; none of it is read by the compiler or written to its files.
  luogo_sorgente luogo_record;                      // the record the loader is handling (line 0: none)
  luogo_sorgente luogo_errore;                      // where the loader was when it recorded its last code
  std::string motivo_guasto;                        // what failed, when the load ended with code 25
  int64_t cella_rifiutata = -1;                     // the occupied cell that a store refused, or -1
  std::map<int64_t, luogo_sorgente> origine_celle;  // the record that laid each cell's object

 private:
  // Loader (loader/): the line half, its records and the plan.
  void fallimento_caricamento(stato_caricamento& s);
  void registra_codice(int32_t codice);
  void annota_origine(int64_t k);
  bool cerca_generale_linea(stato_caricamento& s);
  bool leggi_parte_generale(stato_caricamento& s);
  bool leggi_corpo_linea(stato_caricamento& s);
  bool leggi_chiave(stato_caricamento& s);
  void ferma_linea(stato_caricamento& s, int32_t codice);
  bool record_lunghezza_percorso(stato_caricamento& s);
  void record_progressiva(stato_caricamento& s, int numero);
  bool record_ripetizione_segnali(stato_caricamento& s);
  esito_record record_pendenza(stato_caricamento& s);
  esito_record record_curva(stato_caricamento& s);
  esito_record record_montagna(stato_caricamento& s);
  esito_record record_indicatori(stato_caricamento& s);
  esito_record record_cartello(stato_caricamento& s);
  esito_record fuori_griglia(int64_t posizione);
  bool posa_rettilineo(stato_caricamento& s, int64_t fino_a, bool limite_piano);
  bool posa_curva(stato_caricamento& s, int64_t fino_a, double curvatura);
  bool posa_metri(stato_caricamento& s, int64_t fino_a, bool curva, double curvatura, bool limite_piano);
  void coda_pendenze(stato_caricamento& s);

  // Loader (loader/): the service half and its records.
  bool leggi_record_servizio(stato_caricamento& s);
  esito_record record_servizio_letto(stato_caricamento& s, record_servizio r);
  void ferma_servizio(stato_caricamento& s, int32_t codice);
  void fine_servizio(stato_caricamento& s);
  uint8_t velocita_in_cella(int64_t velocita);
  esito_record record_velocita(stato_caricamento& s);
  esito_record record_aderenza(stato_caricamento& s);
  esito_record record_segnale(stato_caricamento& s);
  esito_record record_rallentamento(stato_caricamento& s);
  esito_record dopo_memo(stato_caricamento& s, int32_t posizione);
  esito_record record_abbattimento(stato_caricamento& s);
  esito_record record_stazione(stato_caricamento& s);
  esito_record ferma_stazione(stato_caricamento& s, int32_t codice, std::optional<int64_t> posizione);

  // Compiler back end (compiler/): the passes' cell operations and the checksum window.
  cella& cella_passi(int64_t c);
  bool libera_per_passi(int64_t c);
  void registra_errore(int32_t codice, int64_t cella);
  void passo_a(int64_t i);
  void passo_b(int64_t i);
  std::optional<int64_t> passo_c(int64_t i);
  std::optional<int64_t> cerca_fine(int64_t i);
  void passo_d(int64_t e);
  void prepara_finestra_codice();
};
