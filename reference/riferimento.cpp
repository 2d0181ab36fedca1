// The sections of the reference: a code's or a warning's, from its heading to the next.
#include "reference/riferimento.h"

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
