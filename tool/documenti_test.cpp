// The route author's reference in docs/ against the code: every record keyword of both
// source files and every code the compiler can record must be documented.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/codici_errore.h"
#include "platform/file_servizi.h"
#include "loader/parole_chiave_prova.h"

namespace {

std::string documento(const std::string& nome) { return leggi_file(std::string(SCENARIO_DOCUMENTI) + "/" + nome); }

// A keyword is documented when it stands as code, in backquotes, in the source formats.
template <typename R>
void ogni_parola_documentata(const std::string& sorgenti) {
  for (R r : ogni_record<R>()) {
    std::string parola = parola_scritta(r);
    EXPECT_NE(sorgenti.find("`" + parola + "`"), std::string::npos) << parola << " is not in docs/sources.md";
  }
}

}  // namespace

TEST(Documenti, EveryKeywordAndEveryCodeIsDocumented) {
  std::string sorgenti = documento("sources.md");
  ogni_parola_documentata<record_generale>(sorgenti);
  ogni_parola_documentata<record_corpo>(sorgenti);
  ogni_parola_documentata<record_servizio>(sorgenti);

  // The codes of the loader and the passes have a meaning; 1250 and 1251 are the
  // compiler's header checks, shown in a message box.
  std::vector<int> codici = {1250, 1251};
  for (int codice = 1; codice < 1000; ++codice) {
    if (significato_codice(codice) != "unknown code") codici.push_back(codice);
  }
  EXPECT_GE(codici.size(), 2u + 26u);  // the meanings were found at all
  std::string spiegati = documento("codes.md");
  for (int codice : codici) {
    std::string titolo = "### Code " + std::to_string(codice) + "\n";
    EXPECT_NE(spiegati.find(titolo), std::string::npos) << "code " << codice << " is not in docs/codes.md";
  }
  // Each page the index names is there.
  std::string indice = documento("README.md");
  for (const char* pagina : {"tutorial.md", "sources.md", "codes.md", "compiled.md"}) {
    EXPECT_NE(indice.find(std::string("(") + pagina + ")"), std::string::npos) << pagina;
    EXPECT_TRUE(std::filesystem::exists(std::string(SCENARIO_DOCUMENTI) + "/" + pagina)) << pagina;
  }
}
