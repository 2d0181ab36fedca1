// scenario_tool view: the route of a pair of source files as one interactive HTML page.
//
// The two files are read from SOURCE_DIR into memory, compiled and checked there (SOURCE_DIR
// is never changed), and the page gets what was loaded, placed and found. A route with
// errors is drawn too: that is when the page is most useful. The page goes to FILE
// (view.html in the current directory by default), or to standard output with -o -.

#include "compiler/controllo.h"
#include "model/nomi_file.h"
#include "platform/esegui_passo.h"
#include "platform/file_servizi.h"
#include "tool/comandi.h"
#include "tool/nomi_trovati.h"
#include "tool/sottocomandi.h"
#include "view/dati_vista.h"
#include "view/pagina_vista.h"
#ifdef SCENARIO_SERVIZIO_VISTA
#include "view/servizio_vista.h"
#endif

namespace {

struct opzioni_view {
  richiesta_caricamento richiesta{linea_incorporata, treno_incorporato, true, false};
  std::string sorgenti;
  std::string uscita = "view.html";
  bool servi = false;
  bool apri = false;
  int porta = 8021;
  bool nomi_dati = false;
};

sbaglio_riga leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_view& o) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("view"), r);
  if (!sbaglio.empty()) return {sbaglio};
  o.servi = r.ha("--serve");
  o.apri = r.ha("--open");
  if (o.apri && !o.servi) return {"--open goes with --serve"};
  if (r.valori.contains("--port")) {
    if (!o.servi) return {"--port goes with --serve"};
    const std::string& p = r.valori["--port"];
    if (p.empty() || p.size() > 5 || p.find_first_not_of("0123456789") != std::string::npos || std::stoi(p) > 65535) {
      return {"--port is a number from 0 to 65535", true};
    }
    o.porta = std::stoi(p);
  }
  if (o.servi && r.valori.contains("--output")) return {"--serve writes no file: -o does not go with it"};
  if (r.valori.contains("--output")) o.uscita = r.valori["--output"];
  if (o.uscita.empty()) return {"-o needs a FILE", true};
  if (sbaglio_riga s = leggi_nomi(r, o.richiesta.linea, o.richiesta.treno, o.nomi_dati); s.presente()) return s;
  if (r.operandi.size() != 1) return {"one SOURCE_DIR is needed"};
  o.sorgenti = r.operandi[0];
  return controlla_cartella("SOURCE_DIR", o.sorgenti, false);
}

}  // namespace

int comando_view(const std::vector<std::string>& argomenti, std::istream&, std::ostream& uscita,
                 std::ostream& errori) {
  opzioni_view o;
  if (sbaglio_riga s = leggi_opzioni(argomenti, o); s.presente()) return riferisci_sbaglio(errori, "view", s);
  // As check does: without --line and --train, the one pair of the folder's files.
  if (!o.nomi_dati) {
    std::string nomi = trova_nomi(o.sorgenti, false, o.richiesta.linea, o.richiesta.treno);
    if (!nomi.empty()) errori << "scenario_tool: " << nomi << '\n';
  }
  if (o.servi) {
#ifdef SCENARIO_SERVIZIO_VISTA
    return servi_vista(o.sorgenti, o.richiesta, o.porta, o.apri, uscita, errori);
#else
    errori << "scenario_tool: this build has no --serve (it was built without the HTTP server library)\n";
    return 2;
#endif
  }
  return esegui_passo(
      [&] {
        sorgenti_in_memoria sorgenti = leggi_sorgenti(o.sorgenti, o.richiesta);
        std::string pagina = pagina_vista(dati_vista_json(sorgenti, o.richiesta),
                                          o.richiesta.linea + " \u2014 " + o.richiesta.treno);
        if (o.uscita == "-") {
          uscita << pagina;
        } else {
          scrivi_uscita(o.uscita, pagina);
        }
      },
      errori, "scenario_tool");
}
