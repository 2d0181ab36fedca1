// Go to definition: the places a diagnostic's notes name.
#include "lsp/richiesta_definizione.h"

#include <algorithm>
#include <string>
#include <vector>

json definizione(const json& p, const diagnostiche_pubblicate& pubblicate) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  posizione_lsp pos = posizione_di(p.at("position"));
  json elenco = json::array();
  const std::vector<pubblicata>* lista = pubblicate.di(uri);
  if (lista == nullptr) return nullptr;
  for (const pubblicata& x : *lista) {
    if (!contiene(x.intervallo, pos)) continue;
    for (const json& n : x.note) {
      if (std::find(elenco.begin(), elenco.end(), n) == elenco.end()) elenco.push_back(n);
    }
  }
  if (elenco.empty()) return nullptr;
  return elenco;
}
