// scenario_tool explain: the reference of one code or warning, as docs/codes.md has
// it: what it means, its usual causes, how to fix it, and an example.
#include "reference/riferimento.h"
#include "tool/comandi.h"
#include "tool/sottocomandi.h"

int comando_explain(const std::vector<std::string>& argomenti, std::istream&, std::ostream& uscita,
                    std::ostream& errori) {
  riga_letta r;
  if (std::string sbaglio = leggi_riga(argomenti, opzioni_di("explain"), r); !sbaglio.empty()) {
    return riferisci_sbaglio(errori, "explain", {sbaglio});
  }
  if (r.operandi.size() != 1) return riferisci_sbaglio(errori, "explain", {"one CODE or WARNING-NAME is needed"});
  std::string sezione = sezione_riferimento(testo_codici, r.operandi[0]);
  if (sezione.empty()) {
    return riferisci_sbaglio(errori, "explain",
                             {"no code or warning " + r.operandi[0] + ": docs/codes.md lists them all", true});
  }
  uscita << sezione;
  return 0;
}
