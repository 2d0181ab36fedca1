// scenario_tool lsp: the language server on standard input and output (lsp/). Built
// only where nlohmann-json was found; elsewhere the subcommand says so.
#include <iostream>

#include "tool/opzioni.h"
#include "tool/riferimento.h"
#include "tool/scenario_tool.h"

#ifdef SCENARIO_CON_LSP
#include "lsp/ciclo.h"
#endif

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int comando_lsp(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                std::ostream& errori) {
  riga_letta r;
  if (std::string sbaglio = leggi_riga(argomenti, {{"--stdio", nullptr, false}}, r); !sbaglio.empty()) {
    return riferisci_sbaglio(errori, "lsp", {sbaglio});
  }
  if (!r.operandi.empty()) return riferisci_sbaglio(errori, "lsp", {"lsp takes no operand"});
#ifdef SCENARIO_CON_LSP
  bool standard = &ingresso == &std::cin;
#ifdef _WIN32
  // The framing counts bytes: no CR LF translation on the standard streams.
  if (standard) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
  }
#endif
  opzioni_lsp o;
  o.riferimento = testo_codici;
  o.sezione = sezione_riferimento;
  o.versione = SCENARIO_VERSIONE;
  return servi_lsp(ingresso, uscita, o, 50, limite_messaggio, !standard);
#else
  (void)ingresso;
  (void)uscita;
  errori << "scenario_tool lsp: this scenario_tool was built without the language server (nlohmann-json was not found)\n";
  return 2;
#endif
}
