// The command scenario.openView: the live view of the route of a file, centred on the
// kilometre of the record under the cursor. The view's server is not the language
// server's own (lsp/ knows nothing of it): scenario_tool hands it in as
// `opzioni_lsp::apri_vista`, which starts one per route on the loopback address and
// gives its address. The client is asked to show it (window/showDocument, in the
// user's browser); a client that cannot gets a message with the address instead. The
// address is the command's result either way.
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "lsp/conoscenza.h"
#include "lsp/servitore.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"

namespace {

constexpr int richiesta_non_valida = -32600;
constexpr int parametri_non_validi = -32602;
constexpr int errore_interno = -32603;

// The metres of a record: its first field that is a position (a value in metres that
// is not a length).
std::optional<long long> metri_record(const riga_analizzata& r) {
  if (r.tipo != tipo_riga::record || r.record.empty()) return std::nullopt;
  const forma_record& f = *r.record[0];
  for (const campo_riga& c : r.campi) {
    size_t n = static_cast<size_t>(c.indice - 2);
    if (c.indice < 2 || n >= f.campi.size()) continue;
    std::string_view significato = f.campi[n];
    if (significato.find("in metres") == std::string_view::npos || significato.find("length") != std::string_view::npos) {
      continue;
    }
    try {
      size_t letti = 0;
      long long v = std::stoll(c.testo, &letti);
      if (letti == c.testo.size()) return v;
    } catch (const std::logic_error&) {
    }
    return std::nullopt;
  }
  return std::nullopt;
}

// "15.3" for 15300 m: kilometres with no trailing zero.
std::string km_di(long long metri) {
  std::string segno = metri < 0 ? "-" : "";
  long long m = metri < 0 ? -metri : metri;
  std::string t = segno + std::to_string(m / 1000);
  if (long long resto = m % 1000; resto != 0) {
    std::string decimali = std::to_string(resto);
    decimali = std::string(3 - decimali.size(), '0') + decimali;
    while (decimali.back() == '0') decimali.pop_back();
    t += "." + decimali;
  }
  return t;
}

// The names of the files of a folder on the disk (for the partner's name).
std::vector<std::string> nomi_file_cartella(const std::string& cartella) {
  std::vector<std::string> nomi;
  std::error_code ec;
  std::filesystem::directory_iterator it(percorso_di(cartella), ec), fine;
  for (int n = 0; !ec && it != fine && n < 20000; it.increment(ec), ++n) nomi.push_back(testo_di(it->path().filename()));
  return nomi;
}

}  // namespace

std::vector<json> servitore_lsp::apri_vista(const json& id, const json& p) {
  const json argomenti = p.value("arguments", json::array());
  if (!argomenti.is_array() || argomenti.empty() || !argomenti[0].is_string()) {
    return {errore(id, parametri_non_validi, "scenario.openView takes a document URI and a position")};
  }
  std::string uri = argomenti[0].get<std::string>();
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  std::optional<std::string> file = percorso_da_uri(uri);
  if (tipo == tipo_sorgente::altro || !file) {
    return {errore(id, parametri_non_validi, "not a line or service description on the disk: " + uri)};
  }
  std::string cartella = testo_di(percorso_di(*file).parent_path());

  // The text as the editor holds it, else as saved; the record under the cursor, or the
  // nearest one above it with a position.
  std::optional<testo_sorgente> testo;
  if (const documento* d = aperto(uri)) {
    testo = d->testo;
  } else {
    try {
      testo = testo_sorgente::da_windows_1252(leggi_file(*file));
    } catch (const errore_file&) {
    }
  }
  long long metri = 0;
  if (testo && argomenti.size() > 1 && argomenti[1].is_object()) {
    int riga = testo->da_lsp(posizione(argomenti[1]), codifica_).first;
    std::vector<std::string_view> righe;
    for (int r = 0; r < testo->righe(); ++r) righe.push_back(testo->riga_byte(r));
    std::vector<riga_analizzata> analizzate = analizza(tipo, righe);
    for (int r = std::min(riga, static_cast<int>(analizzate.size())); r >= 1; --r) {
      if (std::optional<long long> m = metri_record(analizzate[static_cast<size_t>(r - 1)])) {
        metri = *m;
        break;
      }
    }
  }

  std::vector<std::string> candidati = nomi_file_cartella(cartella);
  nomi_coppia nomi = tipo == tipo_sorgente::linea ? nomi_da_linea(nome_uri(uri), candidati)
                                                 : nomi_da_servizio(nome_uri(uri), candidati);
  if (nomi.treno.empty()) {
    return {errore(id, richiesta_non_valida, "no service description beside " + utf8_sicuro(nome_uri(uri)) +
                                                  ": the view needs the pair")};
  }
  std::string indirizzo;
  try {
    indirizzo = opzioni_.apri_vista(cartella, nomi.linea, nomi.treno) + "#km=" + km_di(metri);
  } catch (const std::exception& e) {
    return {errore(id, errore_interno, std::string("the view could not be started: ") + e.what())};
  }
  std::vector<json> uscita{rispondi(id, indirizzo)};
  if (mostra_documenti_) {
    uscita.push_back({{"jsonrpc", "2.0"},
                      {"id", "scenario.showDocument." + std::to_string(++richieste_inviate_)},
                      {"method", "window/showDocument"},
                      {"params", {{"uri", indirizzo}, {"external", true}}}});
  } else {
    uscita.push_back({{"jsonrpc", "2.0"},
                      {"method", "window/showMessage"},
                      {"params", {{"type", 3}, {"message", "The route's view is at " + indirizzo}}}});
  }
  return uscita;
}
