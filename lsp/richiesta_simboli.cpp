// Symbols of one file, as a tree, and of the workspace, as a flat list.
#include "lsp/richiesta_simboli.h"

#include <cctype>
#include <map>
#include <string>

#include "lsp/conoscenza.h"

namespace {

std::string minuscole(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A symbol of the outline and, under it, its children.
json simbolo_documento(const simbolo& s, const testo_sorgente& t, codifica_posizioni codifica) {
  intervallo_lsp tutto{{s.riga, 0}, t.fine_riga(s.riga_fine, codifica)};
  intervallo_lsp nome{t.verso_lsp(s.riga + 1, s.inizio, codifica), t.verso_lsp(s.riga + 1, s.fine, codifica)};
  json j = {{"name", s.nome}, {"kind", s.tipo}, {"range", intervallo_json(tutto)}, {"selectionRange", intervallo_json(nome)}};
  if (!s.dettaglio.empty()) j["detail"] = utf8_sicuro(s.dettaglio);
  if (!s.figli.empty()) {
    j["children"] = json::array();
    for (const simbolo& f : s.figli) j["children"].push_back(simbolo_documento(f, t, codifica));
  }
  return j;
}

// The symbols of one file that answer a query: each that matches, then its children
// under its name.
struct ricerca_simboli {
  const std::string& cercato;
  const std::string& uri;
  const testo_sorgente& testo;
  codifica_posizioni codifica;
  json& elenco;

  void aggiungi(const simbolo& s, const std::string& contenitore) const {
    std::string nome = s.dettaglio.empty() ? s.nome : s.nome + " " + utf8_sicuro(s.dettaglio);
    if (cercato.empty() || minuscole(nome).find(cercato) != std::string::npos) {
      intervallo_lsp dove{testo.verso_lsp(s.riga + 1, s.inizio, codifica), testo.verso_lsp(s.riga + 1, s.fine, codifica)};
      json j = {{"name", nome}, {"kind", s.tipo}, {"location", {{"uri", uri}, {"range", intervallo_json(dove)}}}};
      if (!contenitore.empty()) j["containerName"] = contenitore;
      elenco.push_back(j);
    }
    for (const simbolo& f : s.figli) aggiungi(f, s.nome);
  }
};

}  // namespace

json simboli_documento(const json& p, const archivio_documenti& documenti, codifica_posizioni codifica) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti.aperto(uri);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  json elenco = json::array();
  if (d == nullptr || tipo == tipo_sorgente::altro) return elenco;
  for (const simbolo& s : simboli(analizza(tipo, righe_di(d->testo)))) {
    elenco.push_back(simbolo_documento(s, d->testo, codifica));
  }
  return elenco;
}

json simboli_area(const json& p, const archivio_documenti& documenti, codifica_posizioni codifica) {
  std::string cercato = minuscole(p.value("query", std::string()));
  // The open files and the partners of those that have one, read from the disk when
  // they are not open.
  std::map<std::string, testo_sorgente> testi;
  for (const auto& [uri, d] : documenti.aperti()) {
    if (tipo_di(nome_uri(uri)) == tipo_sorgente::altro) continue;
    testi.emplace(uri, d->testo);
    for (file_coppia& f : documenti.coppia_di(uri).files) {
      if (f.testo) testi.emplace(f.uri, std::move(*f.testo));
    }
  }
  json elenco = json::array();
  for (const auto& [uri, testo] : testi) {
    ricerca_simboli ricerca{cercato, uri, testo, codifica, elenco};
    for (const simbolo& s : simboli(analizza(tipo_di(nome_uri(uri)), righe_di(testo)))) {
      ricerca.aggiungi(s, nome_uri(uri));
    }
  }
  return elenco;
}
