// scenario_tool lsp: the language server on standard input and output (lsp/). Where `view
// --serve` is built too, the server's command scenario.openView starts the live view of
// a route (one per route, on 127.0.0.1 and a port the system chooses, in threads of its
// own), which lives as long as the language server.
#include <iostream>
#include <map>
#include <memory>
#include <mutex>

#include <filesystem>
#include <system_error>

#include "lsp/servitore.h"
#include "platform/cartella_programma.h"
#include "platform/percorso.h"
#include "reference/riferimento.h"
#include "tool/comandi.h"
#include "tool/opzioni.h"
#include "tool/sottocomandi.h"
#ifdef SCENARIO_SERVIZIO_VISTA
#include "view/servizio_vista.h"
#endif

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The reference installed beside the program (docs/codes.md), as a file: URI for the
// diagnostics' links; empty when it is not there.
std::string riferimento_installato() {
  std::filesystem::path codici = percorso_di(cartella_eseguibile(nullptr)) / "docs" / "codes.md";
  std::error_code e;
  if (!std::filesystem::is_regular_file(codici, e)) return {};
  return uri_da_percorso(testo_di(codici));
}

}  // namespace

int comando_lsp(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                std::ostream& errori) {
  riga_letta r;
  if (std::string sbaglio = leggi_riga(argomenti, opzioni_di("lsp"), r); !sbaglio.empty()) {
    return riferisci_sbaglio(errori, "lsp", {sbaglio});
  }
  if (!r.operandi.empty()) return riferisci_sbaglio(errori, "lsp", {"lsp takes no operand"});
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
  o.riferimento_uri = riferimento_installato();
#ifdef SCENARIO_SERVIZIO_VISTA
  std::mutex m;
  std::map<std::string, std::unique_ptr<vista_viva>> viste;
  o.apri_vista = [&m, &viste](const std::string& cartella, const std::string& linea, const std::string& treno) {
    std::lock_guard<std::mutex> l(m);
    std::unique_ptr<vista_viva>& v = viste[cartella + '\n' + linea + '\n' + treno];
    if (!v) v = std::make_unique<vista_viva>(cartella, richiesta_caricamento{linea, treno, true, false}, 0);
    return v->indirizzo();
  };
#endif
  // A check of the built-in route takes a few milliseconds: diagnostics follow a pause
  // of 10 ms in the messages, so that a burst of edits is checked once.
  return servi_lsp(ingresso, uscita, o, 10, limite_messaggio, !standard);
}
