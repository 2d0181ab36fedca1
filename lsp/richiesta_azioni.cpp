// Code actions: one quick fix for each fix of a diagnostic over the range asked about.
#include "lsp/richiesta_azioni.h"

#include <string>
#include <vector>

json azioni(const json& p, const diagnostiche_pubblicate& pubblicate) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  intervallo_lsp chiesto{posizione_di(p.at("range").at("start")), posizione_di(p.at("range").at("end"))};
  json elenco = json::array();
  const std::vector<pubblicata>* lista = pubblicate.di(uri);
  if (lista == nullptr) return elenco;
  for (const pubblicata& x : *lista) {
    if (!si_toccano(x.intervallo, chiesto)) continue;
    for (const auto& [u, modifica] : x.correzioni) {
      std::string nuovo = modifica.at("newText").get<std::string>();
      std::string titolo = nuovo.empty() ? "Remove the text" : "Replace with '" + nuovo + "'";
      elenco.push_back({{"title", titolo},
                        {"kind", "quickfix"},
                        {"diagnostics", json::array({x.diagnostica})},
                        {"isPreferred", x.correzioni.size() == 1},
                        {"edit", {{"changes", {{u, json::array({modifica})}}}}}});
    }
  }
  return elenco;
}
