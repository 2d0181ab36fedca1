// Fuzz target: the language server on a stream of framed messages, as an editor would
// send them on standard input: every message handled, the diagnostics of changed files
// published after each, every framing error answered, until the stream ends or the
// client says exit. The server may not read the disk here; it never writes to it.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "lsp/servitore.h"
#include "reference/riferimento.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t quanti) {
  std::istringstream ingresso(std::string(reinterpret_cast<const char*>(dati), quanti));
  opzioni_lsp o;
  o.riferimento = testo_codici;
  o.sezione = sezione_riferimento;
  o.riferimento_uri = "file:///docs/codes.md";
  o.legge_disco = false;
  servitore_lsp servitore(o);
  std::ostringstream uscita;
  auto scrivi = [&](const json& j) {
    scrivi_messaggio(uscita, j.dump(-1, ' ', false, json::error_handler_t::replace));
  };
  while (!servitore.finito()) {
    messaggio_letto m = leggi_messaggio(ingresso, 1u << 20);
    if (m.esito == esito_cornice::fine || m.esito == esito_cornice::troncato) break;
    if (m.esito == esito_cornice::messaggio) {
      for (const json& j : servitore.gestisci(m.corpo)) scrivi(j);
    } else if (std::optional<json> e = servitore.errore_cornice(m.esito)) {
      scrivi(*e);
    }
    for (const json& j : servitore.pubblica()) scrivi(j);
  }
  return 0;
}
