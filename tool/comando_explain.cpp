// scenario_tool explain: the reference of one code or warning, as docs/codes.md has
// it: what it means, its usual causes, how to fix it, and an example.
#include "tool/comandi.h"
#include "reference/riferimento.h"
#include "tool/scenario_tool.h"

std::string sezione_riferimento(const std::string& testo, const std::string& chi) {
  bool numero = !chi.empty() && chi.find_first_not_of("0123456789") == std::string::npos;
  std::string titolo = numero ? "### Code " + chi + "\n" : "### `" + chi + "`\n";
  size_t inizio = testo.find(titolo);
  if (!numero && inizio == std::string::npos) {
    // A heading that names several warnings: "### `a`, `b`".
    for (size_t p = testo.find("\n### "); p != std::string::npos; p = testo.find("\n### ", p + 1)) {
      size_t a_capo = testo.find('\n', p + 1);
      if (testo.substr(p, a_capo - p).find("`" + chi + "`") != std::string::npos) {
        inizio = p + 1;
        titolo = testo.substr(p + 1, a_capo - p);
        break;
      }
    }
  }
  if (chi.empty() || inizio == std::string::npos) return {};
  size_t fine = testo.find("\n#", inizio + titolo.size());
  std::string sezione = testo.substr(inizio + 4, fine == std::string::npos ? std::string::npos : fine + 1 - inizio - 4);
  while (sezione.size() > 1 && sezione[sezione.size() - 1] == '\n' && sezione[sezione.size() - 2] == '\n') {
    sezione.pop_back();
  }
  return sezione;
}

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
