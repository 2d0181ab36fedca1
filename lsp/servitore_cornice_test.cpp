#include <gtest/gtest.h>

#include <sstream>

#include "lsp/servitore_cornice.h"

// Streams of messages, good and bad, and what the reader makes of each in turn.
TEST(CorniceLsp, StreamsGoodAndBad) {
  struct caso {
    std::string flusso;
    std::vector<std::pair<esito_cornice, std::string>> attesi;
  };
  using e = esito_cornice;
  const caso casi[] = {
      {"Content-Length: 2\r\n\r\n{}", {{e::messaggio, "{}"}, {e::fine, ""}}},
      {"Content-Length: 2\r\n\r\n{}Content-Length: 3\r\n\r\n[1]", {{e::messaggio, "{}"}, {e::messaggio, "[1]"}, {e::fine, ""}}},
      {"content-length:2\r\nContent-Type: x\r\n\r\n{}", {{e::messaggio, "{}"}, {e::fine, ""}}},
      {"Content-Length: 2\n\n{}", {{e::messaggio, "{}"}, {e::fine, ""}}},  // bare LF line ends
      {"Content-Type: x\r\n\r\nContent-Length: 1\r\n\r\nx", {{e::senza_misura, ""}, {e::messaggio, "x"}, {e::fine, ""}}},
      {"Content-Length: 1a\r\n\r\n", {{e::senza_misura, ""}, {e::fine, ""}}},
      {"Content-Length: -1\r\n\r\n", {{e::senza_misura, ""}, {e::fine, ""}}},
      {"Content-Length: 99999999999999999999\r\n\r\n", {{e::senza_misura, ""}, {e::fine, ""}}},
      {"garbage\r\n\r\n", {{e::senza_misura, ""}, {e::fine, ""}}},
      // A second Content-Length, even of the same value, leaves the length in doubt.
      {"Content-Length: 2\r\nContent-Length: 2\r\n\r\nContent-Length: 1\r\n\r\ny",
       {{e::senza_misura, ""}, {e::messaggio, "y"}, {e::fine, ""}}},
      {"Content-Length: 1\r\ncontent-length: 3\r\n\r\n", {{e::senza_misura, ""}, {e::fine, ""}}},
      // The limit (32 here) is the longest body read; one byte more is dropped.
      {"Content-Length: 32\r\n\r\n" + std::string(32, 'x'), {{e::messaggio, std::string(32, 'x')}, {e::fine, ""}}},
      {"Content-Length: 40\r\n\r\n" + std::string(40, 'x') + "Content-Length: 1\r\n\r\ny",
       {{e::troppo_grande, ""}, {e::messaggio, "y"}, {e::fine, ""}}},
      {"Content-Length: 33\r\n\r\n" + std::string(33, 'x') + "Content-Length: 1\r\n\r\ny",
       {{e::troppo_grande, ""}, {e::messaggio, "y"}, {e::fine, ""}}},
      {"Content-Length: 10\r\n\r\n{}", {{e::troncato, ""}}},
      {"Content-Len", {{e::troncato, ""}}},
      {"", {{e::fine, ""}}},
  };
  for (const caso& c : casi) {
    std::istringstream in(c.flusso);
    for (const auto& [esito, corpo] : c.attesi) {
      messaggio_letto m = leggi_messaggio(in, 32);
      EXPECT_EQ(m.esito, esito) << c.flusso;
      EXPECT_EQ(m.corpo, corpo) << c.flusso;
    }
  }
}

TEST(CorniceLsp, WritesTheHeaderThenTheBody) {
  std::ostringstream out;
  scrivi_messaggio(out, "{\"a\":\"\xC3\xA8\"}");
  EXPECT_EQ(out.str(), "Content-Length: 10\r\n\r\n{\"a\":\"\xC3\xA8\"}");
}
