// The framing of the language server's messages on a byte stream: a header of lines
// ended by CR LF, of which `Content-Length: N` is the one needed, an empty line, then
// N bytes of JSON. Reading never trusts the stream: a header line too long, a missing
// or malformed length, a length above the limit, or a stream that ends inside a
// message are each told apart, and the reading can go on with the next message.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

enum class esito_cornice {
  messaggio,     // `corpo` holds one message's bytes
  fine,          // the stream ended between two messages
  troncato,      // the stream ended inside a header or a body
  senza_misura,  // a header without a valid Content-Length (its body cannot be found)
  troppo_grande, // a length above the limit: the body was read past and dropped
};

struct messaggio_letto {
  esito_cornice esito = esito_cornice::fine;
  std::string corpo;
};

// The largest body read by default, and the longest header line kept.
inline constexpr size_t limite_messaggio = 16u * 1024u * 1024u;
inline constexpr size_t limite_riga_intestazione = 4096;

messaggio_letto leggi_messaggio(std::istream& in, size_t limite = limite_messaggio);

// One message with its header, flushed at once.
void scrivi_messaggio(std::ostream& out, std::string_view corpo);
