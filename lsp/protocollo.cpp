// The shapes of the server's JSON-RPC messages, and of positions and ranges in them.
#include "lsp/protocollo.h"

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

posizione_lsp posizione_di(const json& p) { return {p.at("line").get<int>(), p.at("character").get<int>()}; }
