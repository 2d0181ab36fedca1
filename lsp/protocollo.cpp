// The shapes of the server's JSON-RPC messages, and of positions and ranges in them.
#include "lsp/protocollo.h"

#include <cstdint>

json risposta(const json& id, json risultato) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}};
}

json errore_rpc(const json& id, int codice, const std::string& messaggio) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}};
}

json notifica_rpc(const std::string& metodo, json parametri) {
  return {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
}

json intervallo_json(const intervallo_lsp& i) {
  return {{"start", {{"line", i.inizio.riga}, {"character", i.inizio.carattere}}},
          {"end", {{"line", i.fine.riga}, {"character", i.fine.carattere}}}};
}

int coordinata_di(const json& v) {
  if (v.is_number_unsigned()) {
    uint64_t u = v.get<uint64_t>();
    return u > uint64_t{posizione_lsp::oltre} ? posizione_lsp::oltre : static_cast<int>(u);
  }
  if (v.is_number_integer()) {
    int64_t i = v.get<int64_t>();
    return i < 0 || i > int64_t{posizione_lsp::oltre} ? posizione_lsp::oltre : static_cast<int>(i);
  }
  if (v.is_number_float()) {
    double d = v.get<double>();
    return d >= 0 && d < double{posizione_lsp::oltre} ? static_cast<int>(d) : posizione_lsp::oltre;
  }
  return v.get<int>();  // a boolean as before, else the type error of a value that is no number
}

posizione_lsp posizione_di(const json& p) { return {coordinata_di(p.at("line")), coordinata_di(p.at("character"))}; }
