// Inlay hints: "km 4.100" after each position of a record.
#include "lsp/richiesta_suggerimenti.h"

#include <string>

#include "lsp/conoscenza.h"

json suggerimenti(const json& p, const archivio_documenti& documenti, codifica_posizioni codifica, bool chiesti) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti.aperto(uri);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  json elenco = json::array();
  if (d == nullptr || tipo == tipo_sorgente::altro || !chiesti) return elenco;
  const int da = coordinata_di(p.at("range").at("start").at("line"));
  const int a = coordinata_di(p.at("range").at("end").at("line"));
  if (da > a) return elenco;
  // The lines asked about alone: quick however long the file.
  for (const riga_analizzata& r : analizza(tipo, righe_di(d->testo), static_cast<size_t>(da), static_cast<size_t>(a) + 1)) {
    if (r.tipo != tipo_riga::record || r.record.empty()) continue;
    for (const campo_riga& c : r.campi) {
      std::string km = km_posizione(*r.record[0], c);
      if (km.empty()) continue;
      posizione_lsp dopo = d->testo.verso_lsp(r.riga + 1, c.fine, codifica);
      elenco.push_back({{"position", intervallo_json({dopo, dopo})["start"]},
                        {"label", km},
                        {"paddingLeft", true}});
    }
  }
  return elenco;
}
