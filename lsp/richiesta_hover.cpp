// Hover: the field under the cursor, and the diagnostics there with their reference.
#include "lsp/richiesta_hover.h"

#include <optional>
#include <string>
#include <vector>

#include "lsp/conoscenza.h"

namespace {

// What field `c` of line `r` is.
std::string testo_del_campo(tipo_sorgente tipo, const riga_analizzata& r, const campo_riga& c) {
  std::string testo;
  if (r.tipo == tipo_riga::intestazione && c.indice == 1) {
    std::string descrizione = descrizione_sezione(tipo, r.sezione);
    testo = "**" + utf8_sicuro(r.sezione) + "**: " +
            (descrizione.empty() ? "a header the loader does not know; it is skipped" : descrizione);
  } else if (r.tipo == tipo_riga::record && c.indice == 1) {
    for (const forma_record* f : r.record) testo += testo_record(*f) + "\n";
    if (r.record.size() > 1) testo += "The keyword names " + std::to_string(r.record.size()) +
                                      " records: the values of each are read, one after the other.\n";
  } else if (r.tipo == tipo_riga::record) {
    testo = utf8_sicuro(testo_campo(*r.record[0], c));
  }
  return testo;
}

// The field at the compiler's `riga` and `colonna`: what it is, and its range; nothing
// in a file of no known kind or past the text's end.
std::string campo_sotto(const testo_sorgente& t, tipo_sorgente tipo, int riga, int colonna, codifica_posizioni codifica,
                        std::optional<intervallo_lsp>& dove) {
  if (tipo == tipo_sorgente::altro) return {};
  std::vector<std::string_view> righe = righe_di(t);
  if (riga - 1 >= static_cast<int>(righe.size())) return {};
  // That line alone analysed: quick however long the file.
  const riga_analizzata r = analizza(tipo, righe, static_cast<size_t>(riga - 1), static_cast<size_t>(riga))[0];
  for (const campo_riga& c : r.campi) {
    if (colonna < c.inizio || colonna > c.fine) continue;
    dove = intervallo_lsp{t.verso_lsp(riga, c.inizio, codifica), t.verso_lsp(riga, c.fine, codifica)};
    return testo_del_campo(tipo, r, c);
  }
  return {};
}

// The diagnostics published at `pos`, appended to `testo` with their reference.
void aggiungi_diagnostiche(std::string& testo, const std::vector<pubblicata>& lista, posizione_lsp pos,
                           const opzioni_lsp& opzioni) {
  for (const pubblicata& x : lista) {
    if (!contiene(x.intervallo, pos)) continue;
    if (!testo.empty()) testo += "\n\n---\n\n";
    testo += "**" + x.diagnostica.value("message", std::string()) + "** [" + x.chi + "]";
    if (opzioni.riferimento != nullptr && opzioni.sezione != nullptr) {
      std::string sezione = opzioni.sezione(opzioni.riferimento, x.chi);
      if (!sezione.empty()) testo += "\n\n" + sezione;
    }
  }
}

}  // namespace

json hover(const json& p, const archivio_documenti& documenti, const diagnostiche_pubblicate& pubblicate,
           const opzioni_lsp& opzioni, codifica_posizioni codifica) {
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti.aperto(uri);
  if (d == nullptr) return nullptr;
  posizione_lsp pos = d->testo.dentro(posizione_di(p.at("position")), codifica);
  auto [riga, colonna] = d->testo.da_lsp(pos, codifica);
  std::optional<intervallo_lsp> dove;
  std::string testo = campo_sotto(d->testo, tipo_di(nome_uri(uri)), riga, colonna, codifica, dove);
  if (const std::vector<pubblicata>* lista = pubblicate.di(uri)) aggiungi_diagnostiche(testo, *lista, pos, opzioni);
  if (testo.empty()) return nullptr;
  json risultato = {{"contents", {{"kind", "markdown"}, {"value", testo}}}};
  if (dove) risultato["range"] = intervallo_json(*dove);
  return risultato;
}
