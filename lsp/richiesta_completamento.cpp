// Completion of keywords and section headers, from the loader's tables.
#include "lsp/richiesta_completamento.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/conoscenza.h"

namespace {

// One item, replacing `sostituito` with `testo_nuovo`.
json elemento(const intervallo_lsp& sostituito, const std::string& etichetta, int tipo_elemento,
              const std::string& ordine, const std::string& testo_nuovo) {
  return json{{"label", etichetta},
              {"kind", tipo_elemento},
              {"sortText", ordine},
              {"filterText", etichetta},
              {"textEdit", {{"range", intervallo_json(sostituito)}, {"newText", testo_nuovo}}}};
}

// The keywords of `parte` (and `sezione`), each followed by its snippet when the client
// takes snippets.
void aggiungi_parole(json& elementi, const intervallo_lsp& sostituito, tipo_sorgente tipo, parte_file parte,
                     const std::string& sezione, bool snippet) {
  int n = 0;
  for (const parola_proposta& w : parole_per(tipo, parte, sezione)) {
    // The order of the list: fitting words first, then by place, two digits each.
    std::string ordine(1, w.adatta ? '0' : '1');
    if (n < 10) ordine += '0';
    ordine += std::to_string(n);
    ++n;
    json e = elemento(sostituito, w.parola, 14, ordine, w.parola);
    e["detail"] = titolo_record(*w.forma);
    e["documentation"] = {{"kind", "markdown"}, {"value", testo_record(*w.forma)}};
    elementi.push_back(e);
    if (snippet) {
      json s = elemento(sostituito, w.parola + " (record)", 15, ordine + "s", snippet_record(w.parola, *w.forma));
      s["filterText"] = w.parola;
      s["insertTextFormat"] = 2;
      s["detail"] = "the whole record, its fields as placeholders";
      elementi.push_back(s);
    }
  }
}

// The list for a line where the lines before it leave `prima` in effect (the part and
// the section).
json lista_per(const stato_righe& prima, const intervallo_lsp& sostituito, tipo_sorgente tipo, bool snippet) {
  json elementi = json::array();
  if (prima.parte == parte_file::preambolo) {
    elementi.push_back(elemento(sostituito, "[generale]", 9, "0", "[generale]"));
    return {{"isIncomplete", false}, {"items", elementi}};
  }
  aggiungi_parole(elementi, sostituito, tipo, prima.parte, prima.sezione, snippet);
  for (const std::string& s : sezioni_di(tipo)) {
    json e = elemento(sostituito, s, 9, "2" + s, s);
    e["detail"] = descrizione_sezione(tipo, s);
    elementi.push_back(e);
  }
  return {{"isIncomplete", false}, {"items", elementi}};
}

}  // namespace

json completamento(const json& p, const archivio_documenti& documenti, codifica_posizioni codifica, bool snippet) {
  json elementi = json::array();
  std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const documento* d = documenti.aperto(uri);
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  if (d == nullptr || tipo == tipo_sorgente::altro) return elementi;
  posizione_lsp pos = d->testo.dentro(posizione_di(p.at("position")), codifica);
  auto [riga, colonna] = d->testo.da_lsp(pos, codifica);
  std::string_view testo_riga = d->testo.riga_byte(riga - 1);
  std::string_view prima = testo_riga.substr(0, std::min(testo_riga.size(), static_cast<size_t>(colonna - 1)));
  if (prima.find(',') != std::string_view::npos) return elementi;  // not in keyword position
  size_t inizio = std::min(prima.find_first_not_of(" \t"), prima.size());
  intervallo_lsp sostituito{d->testo.verso_lsp(riga, static_cast<int>(inizio) + 1, codifica), pos};
  // Only the headers of the lines before are looked at: quick however long the file.
  return lista_per(stato_dopo(tipo, righe_di(d->testo), static_cast<size_t>(riga - 1)), sostituito, tipo, snippet);
}
