// Which URIs name a file of this machine, and which names a source file: each segment
// decoded once, and a name that decodes to more than one name refused, on either system.
#include <gtest/gtest.h>

#include "lsp/coppia.h"

TEST(CoppiaLsp, URIsAndNamesDecodedOnce) {
  struct caso {
    std::string uri;
    std::optional<std::string> posix, windows;  // the path, none when refused
    tipo_sorgente tipo;                         // the kind of its name
  };
  using t = tipo_sorgente;
  const caso casi[] = {
      {"file:///ws/S_T-.txt", "/ws/S_T-.txt", "\\ws\\S_T-.txt", t::servizio},
      {"file://localhost/ws/S_linea.txt", "/ws/S_linea.txt", "\\ws\\S_linea.txt", t::linea},
      {"file:///C:/ws/S%20X_linea.txt", "/C:/ws/S X_linea.txt", "C:\\ws\\S X_linea.txt", t::linea},
      {"file:///c%3A/ws/S_T-.txt", "/c:/ws/S_T-.txt", "c:\\ws\\S_T-.txt", t::servizio},
      {"file:///ws/a%2520b_T-.txt", "/ws/a%20b_T-.txt", "\\ws\\a%20b_T-.txt", t::servizio},  // once
      {"file:///ws/", "/ws/", "\\ws\\", t::altro},
      // A name that decodes to a path, a parent or a drive.
      {"file:///ws/..%2F..%2Foutside%2FS_T-.txt", std::nullopt, std::nullopt, t::altro},
      {"file:///ws/..%5Coutside%5CS_T-.txt", std::nullopt, std::nullopt, t::altro},
      {"file:///ws/%2E%2E/outside/S_T-.txt", std::nullopt, std::nullopt, t::servizio},
      {"file:///ws/../S_T-.txt", std::nullopt, std::nullopt, t::servizio},
      {"file:///ws/C:S_T-.txt", "/ws/C:S_T-.txt", std::nullopt, t::altro},
      {"file:///ws/S..T_linea.txt", "/ws/S..T_linea.txt", "\\ws\\S..T_linea.txt", t::altro},
      {"file:///ws/S%00_T-.txt", std::nullopt, std::nullopt, t::altro},
      // Another machine's, by its host or as a network path.
      {"file://host/share/S_T-.txt", std::nullopt, std::nullopt, t::servizio},
      {"file:////host/share/S_T-.txt", std::nullopt, std::nullopt, t::servizio},
      {"file:///%5C%5Chost%5Cshare/S_T-.txt", std::nullopt, std::nullopt, t::servizio},
      {"untitled:S_T-.txt", std::nullopt, std::nullopt, t::altro},
  };
  for (const caso& c : casi) {
#ifdef _WIN32
    EXPECT_EQ(percorso_da_uri(c.uri), c.windows) << c.uri;
#else
    EXPECT_EQ(percorso_da_uri(c.uri), c.posix) << c.uri;
#endif
    EXPECT_EQ(tipo_di(nome_uri(c.uri)), c.tipo) << c.uri;
  }
}
