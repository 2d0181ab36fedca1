// scenario_tool check: every problem of a route author's two source files at once,
// without writing anything anywhere.
//
// The two files are read from SOURCE_DIR into memory and checked there (see
// compiler/controllo.h); SOURCE_DIR is never changed. The diagnostics go to standard
// output, as text lines ending with a count line, or as JSON lines.
#include <filesystem>
#include <system_error>

#include "compiler/controllo.h"
#include "driver/esito_esecuzione.h"
#include "driver/nomi_file.h"
#include "platform/file_servizi.h"
#include "tool/scenario_tool.h"
#include "tool/spiegazione.h"

namespace fs = std::filesystem;

const char* const aiuto_check =
    R"(check     Checks the line description NAME_linea.txt and the service description
          NAME_TRAIN-.txt found in SOURCE_DIR and reports every problem at once,
          writing nothing anywhere (SOURCE_DIR is never changed):
          - every error that compile would record, at its record; after an error
            that stops the load the check skips that record and goes on with the
            next keyword line, so later records are checked too; every code of the
            code placement passes is listed, not only the last;
          - warnings for what compiles but is almost surely not meant, each with
            its name: unknown-keyword, unknown-section, missing-generale,
            missing-end, empty-service, empty-field (read as 0), speed-rounded,
            value-truncated, empty-curve, end-before-start, gradient-order,
            station-beyond-end, utf8-text.
          --line NAME, --train NAME, --no-plan   as for compile
          --format text  (the default) one diagnostic per line, with its notes:
                           FILE:LINE:COLUMN: error: MESSAGE [code N]
                           FILE:LINE:COLUMN: warning: MESSAGE [NAME]
                           FILE:LINE:COLUMN: note: MESSAGE
                         then the line "N errors, M warnings". A problem of a
                         file as a whole is placed at line 1, column 1.
          --format json  one JSON object per line: "file", "line", "column",
                         "severity" ("error" or "warning"), "code" (the number
                         of an error, the name of a warning), "message", "notes"
                         (a list of objects with "file", "line", "column",
                         "message").
          --werror       warnings count as errors for the exit status
          compile prints the same diagnostics on standard error (-w leaves the
          warnings out). Exit status: 0 no error, 1 errors (or warnings with
          --werror), 2 a file that could not be read, 64 a wrong command line.
)";

namespace {

struct opzioni_check {
  richiesta_controllo richiesta{linea_incorporata, treno_incorporato, true};
  formato_diagnostiche formato = formato_diagnostiche::testo;
  bool avvisi_come_errori = false;
  std::string sorgenti;
};

constexpr const char* uso_check =
    "usage: scenario_tool check [--line NAME] [--train NAME] [--no-plan] "
    "[--format text|json] [--werror] "
    "SOURCE_DIR\n";

// Reads the options; an empty text means they are right, otherwise it says what is
// wrong.
std::string leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_check& o) {
  std::vector<std::string> posizionali;
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    if (a == "--line" || a == "--train" || a == "--format") {
      if (i + 1 >= argomenti.size()) return a + " needs a value";
      const std::string& v = argomenti[++i];
      if (a == "--line") o.richiesta.linea = v;
      if (a == "--train") o.richiesta.treno = v;
      if (a == "--format" && v != "text" && v != "json") return "--format is text or json";
      if (a == "--format") o.formato = v == "json" ? formato_diagnostiche::json : formato_diagnostiche::testo;
    } else if (a == "--no-plan") {
      o.richiesta.con_tracciato = false;
    } else if (a == "--werror") {
      o.avvisi_come_errori = true;
    } else if (a.starts_with("-")) {
      return "unknown option " + a;
    } else {
      posizionali.push_back(a);
    }
  }
  if (posizionali.size() != 1) return "one SOURCE_DIR is needed";
  o.sorgenti = posizionali[0];
  std::error_code ec;
  if (!fs::is_directory(o.sorgenti, ec)) return "SOURCE_DIR " + o.sorgenti + " is not a directory";
  return "";
}

void leggi_sorgente(const std::string& cartella, const std::string& nome, sorgenti_in_memoria& s) {
  std::string percorso = percorso_in(cartella, nome);
  if (esiste_file(percorso)) s.file[nome] = leggi_file(percorso);
}

}  // namespace

int comando_check(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori) {
  opzioni_check o;
  if (argomenti.size() == 1 && argomenti[0] == "--help") {
    uscita << uso_check << '\n' << aiuto_check;
    return 0;
  }
  std::string sbaglio = leggi_opzioni(argomenti, o);
  if (!sbaglio.empty()) {
    errori << "scenario_tool check: " << sbaglio << '\n' << uso_check;
    return uscita_uso;
  }
  sorgenti_in_memoria sorgenti;
  int stato = esegui_senza_compilare(
      [&] {
        leggi_sorgente(o.sorgenti, nome_file_linea(o.richiesta.linea), sorgenti);
        leggi_sorgente(o.sorgenti, nome_file_servizio(o.richiesta.linea, o.richiesta.treno), sorgenti);
      },
      errori, "scenario_tool");
  if (stato != uscita_riuscita) return stato;

  std::vector<diagnostica> diagnostiche = controlla_sorgenti(sorgenti, o.richiesta);
  scrivi_diagnostiche(diagnostiche, o.sorgenti, o.formato, true, uscita);
  for (const diagnostica& d : diagnostiche) {
    if (d.livello == gravita::errore || o.avvisi_come_errori) return 1;
  }
  return 0;
}
