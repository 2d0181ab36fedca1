// The language server's messages as JSON: the JSON-RPC error codes, a reply, an error
// and a notification as the server sends them, and positions and ranges as the
// protocol writes them. Every layer of the server above the base builds its messages
// here.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "lsp/posizioni.h"

using json = nlohmann::json;

// JSON-RPC and protocol error codes.
inline constexpr int errore_analisi = -32700;
inline constexpr int richiesta_non_valida = -32600;
inline constexpr int metodo_ignoto = -32601;
inline constexpr int parametri_non_validi = -32602;
inline constexpr int errore_interno = -32603;
inline constexpr int non_inizializzato = -32002;

// The reply to request `id`, and the error that answers it instead.
json risposta(const json& id, json risultato);
json errore_rpc(const json& id, int codice, const std::string& messaggio);
// A notification of the server's.
json notifica_rpc(const std::string& metodo, json parametri);

// A range as the protocol writes it, and a position as the client wrote it (throws
// when it is not one).
json intervallo_json(const intervallo_lsp& i);
posizione_lsp posizione_di(const json& p);
// A line or a character as the protocol writes it, an unsigned 32-bit number: one that
// no document reaches (past 2^31 - 1, or negative) is `posizione_lsp::oltre`, never
// wrapped around; a fraction is cut.
int coordinata_di(const json& v);
