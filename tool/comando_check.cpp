// scenario_tool check: every problem of a route author's two source files at once,
// without writing anything anywhere.
//
// The two files are read from SOURCE_DIR into memory and checked there (see
// compiler/controllo.h); SOURCE_DIR is never changed. The diagnostics go to standard
// output, as text lines ending with a count line, or as JSON lines.

#include "compiler/controllo.h"
#include "model/nomi_file.h"
#include "platform/esegui_passo.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "reference/spiegazione.h"
#include "tool/comandi.h"
#include "tool/nomi_trovati.h"
#include "tool/sottocomandi.h"


namespace {

struct opzioni_check {
  richiesta_caricamento richiesta{linea_incorporata, treno_incorporato, true, false};
  formato_diagnostiche formato = formato_diagnostiche::testo;
  bool avvisi_come_errori = false;
  modo_caret caret = modo_caret::automatico;
  std::string sorgenti;
  bool nomi_dati = false;
};

// Reads the command line into `o`.
sbaglio_riga leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_check& o) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("check"), r);
  if (!sbaglio.empty()) return {sbaglio};
  o.richiesta.con_tracciato = !r.ha("--no-plan");
  o.avvisi_come_errori = r.ha("--werror");
  if (r.valori.contains("--format")) {
    const std::string& formato = r.valori["--format"];
    if (formato != "text" && formato != "json") return {"--format is text or json", true};
    o.formato = formato == "json" ? formato_diagnostiche::json : formato_diagnostiche::testo;
  }
  if (r.valori.contains("--caret") && !leggi_modo_caret(r.valori["--caret"], o.caret)) {
    return {"--caret is auto, always or never", true};
  }
  if (sbaglio_riga s = leggi_nomi(r, o.richiesta.linea, o.richiesta.treno, o.nomi_dati); s.presente()) return s;
  if (r.operandi.size() != 1) return {"one SOURCE_DIR is needed"};
  o.sorgenti = r.operandi[0];
  return controlla_cartella("SOURCE_DIR", o.sorgenti, false);
}

}  // namespace

int comando_check(const std::vector<std::string>& argomenti, std::istream&, std::ostream& uscita,
                  std::ostream& errori) {
  opzioni_check o;
  if (sbaglio_riga s = leggi_opzioni(argomenti, o); s.presente()) return riferisci_sbaglio(errori, "check", s);
  std::string nomi = o.nomi_dati ? "" : trova_nomi(o.sorgenti, false, o.richiesta.linea, o.richiesta.treno);
  sorgenti_in_memoria sorgenti;
  int stato = esegui_passo([&] { sorgenti = leggi_sorgenti(o.sorgenti, o.richiesta); }, errori, "scenario_tool");
  if (stato != uscita_riuscita) return stato;

  std::vector<diagnostica> diagnostiche = controlla_sorgenti(sorgenti, o.richiesta);
  annota_nomi(diagnostiche, nomi);
  bool con_caret = o.formato == formato_diagnostiche::testo && mostra_caret(o.caret, false);
  scrivi_diagnostiche(diagnostiche, o.sorgenti, o.formato, true, uscita, con_caret ? &sorgenti.file : nullptr);
  for (const diagnostica& d : diagnostiche) {
    if (d.livello == gravita::errore || o.avvisi_come_errori) return 1;
  }
  return 0;
}
