// The command scenario.openView: the live view of the route of a file, centred on the
// kilometre of the record under the cursor. The view's server is not the language
// server's own (lsp/ knows nothing of it): scenario_tool hands it in as
// `opzioni_lsp::apri_vista`, which starts one per route on the loopback address and
// gives its address. The client is asked to show it (window/showDocument, in the
// user's browser); a client that cannot gets a message with the address instead. The
// address is the command's result either way.
#include "lsp/richiesta_vista.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "lsp/conoscenza.h"
#include "model/chilometri.h"
#include "platform/percorso.h"

namespace {

// The metres of the record under the cursor in file `uri` of the pair, or of the
// nearest one above it with a position; 0 where there is none.
long long metri_al_cursore(const coppia_trovata& coppia, const std::string& uri, tipo_sorgente tipo,
                           const json& argomenti, codifica_posizioni codifica) {
  long long metri = 0;
  for (const file_coppia& f : coppia.files) {
    if (f.nome != nome_uri(uri) || !f.testo || argomenti.size() < 2 || !argomenti[1].is_object()) continue;
    int riga = f.testo->da_lsp(f.testo->dentro(posizione_di(argomenti[1]), codifica), codifica).first;
    std::vector<riga_analizzata> analizzate = analizza(tipo, righe_di(*f.testo), 0, static_cast<size_t>(riga));
    for (int r = std::min(riga, static_cast<int>(analizzate.size())); r >= 1; --r) {
      if (std::optional<long long> m = metri_record(analizzate[static_cast<size_t>(r - 1)])) {
        metri = *m;
        break;
      }
    }
  }
  return metri;
}

// The message that has the client show the view's `indirizzo`: a request to show it
// where the client can, else a message that names it.
json mostra(const std::string& indirizzo, bool mostra_documenti, uint64_t& richieste_inviate) {
  if (mostra_documenti) {
    return {{"jsonrpc", "2.0"},
            {"id", "scenario.showDocument." + std::to_string(++richieste_inviate)},
            {"method", "window/showDocument"},
            {"params", {{"uri", indirizzo}, {"external", true}}}};
  }
  return notifica_rpc("window/showMessage", {{"type", 3}, {"message", "The route's view is at " + indirizzo}});
}

}  // namespace

std::vector<json> apri_vista(const json& id, const json& p, const archivio_documenti& documenti,
                             const opzioni_lsp& opzioni, codifica_posizioni codifica, bool mostra_documenti,
                             uint64_t& richieste_inviate) {
  const json argomenti = p.value("arguments", json::array());
  if (!argomenti.is_array() || argomenti.empty() || !argomenti[0].is_string()) {
    return {errore_rpc(id, parametri_non_validi, "scenario.openView takes a document URI and a position")};
  }
  std::string uri = argomenti[0].get<std::string>();
  tipo_sorgente tipo = tipo_di(nome_uri(uri));
  std::optional<std::string> file = percorso_da_uri(uri);
  if (tipo == tipo_sorgente::altro || !file) {
    return {errore_rpc(id, parametri_non_validi, "not a line or service description on the disk: " + uri)};
  }
  std::string cartella = testo_di(percorso_di(*file).parent_path());

  // The pair; the text as the editor holds it, else as saved.
  coppia_trovata coppia = documenti.coppia_di(uri);
  if (coppia.da_sola) {
    return {errore_rpc(id, richiesta_non_valida, "no service description beside " + utf8_sicuro(nome_uri(uri)) +
                                                  ": the view needs the pair")};
  }
  long long metri = metri_al_cursore(coppia, uri, tipo, argomenti, codifica);
  std::string indirizzo;
  try {
    indirizzo = opzioni.apri_vista(cartella, coppia.linea, coppia.treno) + "#km=" + in_chilometri(metri, forma_km::senza_zeri);
  } catch (const std::exception& e) {
    return {errore_rpc(id, errore_interno, std::string("the view could not be started: ") + e.what())};
  }
  return {risposta(id, indirizzo), mostra(indirizzo, mostra_documenti, richieste_inviate)};
}
