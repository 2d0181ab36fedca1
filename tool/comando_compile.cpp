// scenario_tool compile: compiles a route author's own source files.
//
// The two source files found in SOURCE_DIR are read into memory and compiled there, so
// nothing in SOURCE_DIR or OUTPUT_DIR is deleted; the compiled set is written into
// OUTPUT_DIR. Like a run of the program, it holds the lock of OUTPUT_DIR from the read
// of the sources to the last rename (waiting at most --wait seconds for another run).
// Where the compiler records a code the earlier set in OUTPUT_DIR is kept and nothing
// is written, unless --write-on-error. Every diagnostic of the compiler
// (its errors, and its warnings unless -w) goes to standard error, placed at the line
// of the source file in SOURCE_DIR that caused it.
#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "compiler/controllo.h"
#include "compiler/insieme_compilato.h"
#include "model/nomi_file.h"
#include "platform/esegui_passo.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "reference/spiegazione.h"
#include "tool/comandi.h"
#include "tool/nomi_trovati.h"
#include "tool/sottocomandi.h"

namespace fs = std::filesystem;

namespace {

struct opzioni_compile {
  std::string linea = linea_incorporata;
  std::string treno = treno_incorporato;
  bool con_tracciato = true;
  bool senza_avvisi = false;
  modo_caret caret = modo_caret::automatico;
  bool scrivi_con_errori = false;
  std::chrono::milliseconds attesa = sistema::attesa_blocco;
  std::string sorgenti;
  std::string destinazione;
  bool nomi_dati = false;
};

// Reads the command line into `o`.
sbaglio_riga leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_compile& o) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("compile"), r);
  if (!sbaglio.empty()) return {sbaglio};
  o.con_tracciato = !r.ha("--no-plan");
  o.senza_avvisi = r.ha("-w");
  if (r.valori.contains("--caret") && !leggi_modo_caret(r.valori["--caret"], o.caret)) {
    return {"--caret is auto, always or never", true};
  }
  o.scrivi_con_errori = r.ha("--write-on-error");
  if (r.valori.contains("--wait")) {
    if (sbaglio_riga s = leggi_attesa(r.valori["--wait"], o.attesa); s.presente()) return s;
  }
  if (sbaglio_riga s = leggi_nomi(r, o.linea, o.treno, o.nomi_dati); s.presente()) return s;
  if (r.operandi.size() != 2) return {"SOURCE_DIR and OUTPUT_DIR are needed"};
  o.sorgenti = r.operandi[0];
  o.destinazione = r.operandi[1];
  if (sbaglio_riga s = controlla_cartella("SOURCE_DIR", o.sorgenti, false); s.presente()) return s;
  if (sbaglio_riga s = controlla_cartella("OUTPUT_DIR", o.destinazione, true); s.presente()) return s;
  std::error_code ec;
  fs::path sorgenti = percorso_di(o.sorgenti), destinazione = percorso_di(o.destinazione);
  if (fs::equivalent(sorgenti, destinazione, ec)) {
    return {"OUTPUT_DIR must be another directory than SOURCE_DIR", true};
  }
  return {};
}

}  // namespace

int comando_compile(const std::vector<std::string>& argomenti, std::istream&, std::ostream& uscita,
                    std::ostream& errori) {
  opzioni_compile o;
  if (sbaglio_riga s = leggi_opzioni(argomenti, o); s.presente()) return riferisci_sbaglio(errori, "compile", s);
  std::string nomi = o.nomi_dati ? "" : trova_nomi(o.sorgenti, false, o.linea, o.treno);
  const richiesta_caricamento richiesta{o.linea, o.treno, o.con_tracciato, false, o.senza_avvisi};
  std::optional<esito_compilazione> esito;
  std::map<std::string, std::string> testi;  // the sources as read, for the caret lines
  bool tenuto = false;  // the earlier set kept because of a recorded code
  int stato = esegui_passo(
      [&] {
        fs::create_directories(percorso_di(o.destinazione));
        blocco_cartella blocco(o.destinazione, di_che_si_attende(errori, o.destinazione, o.attesa), o.attesa);
        rimuovi_avanzi(o.destinazione, nomi_file_corsa(o.linea, o.treno));
        testi = leggi_sorgenti(o.sorgenti, richiesta).file;
        sorgenti_intatte sorgenti(testi);
        esito = compila(sorgenti, richiesta);
        // A taken header slot is reported among the diagnostics, and nothing is written;
        // so is a recorded code, unless the incomplete set is asked for.
        tenuto = esito->testata_occupata == 0 && esito->ha_griglia() && esito->codice_errore() != 0 &&
                 !o.scrivi_con_errori;
        if (esito->testata_occupata == 0 && !tenuto) scrivi_insieme_compilato(o.destinazione, *esito, richiesta);
      },
      errori, "scenario_tool");
  if (!esito) return stato;  // nothing was compiled
  if (stato == uscita_riuscita) stato = esito->testata_occupata != 0 ? uscita_fallita : stato_compilazione(*esito);
  uscita << "codice_errore=" << esito->codice_errore() << " posizione_errore=" << esito->posizione_errore() << '\n';
  std::vector<diagnostica> da_dire;
  for (const diagnostica& d : esito->diagnostiche) {
    if (d.livello == gravita::errore || !o.senza_avvisi) da_dire.push_back(d);
  }
  ordina_diagnostiche(da_dire, nome_file_linea(o.linea));
  annota_nomi(da_dire, nomi);
  if (!da_dire.empty()) {
    scrivi_diagnostiche(da_dire, o.sorgenti, formato_diagnostiche::testo, true, errori,
                        mostra_caret(o.caret, true) ? &testi : nullptr);
  }
  if (tenuto) {
    errori << "scenario_tool compile: nothing written: code " << esito->codice_errore()
           << " was recorded, and the earlier files in " << o.destinazione
           << " are kept (--write-on-error writes the incomplete set)\n";
  }
  return stato;
}
