// `scenario_tool check` (with `new` and `explain`) as a route author runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include <nlohmann/json.hpp>

using json = nlohmann::ordered_json;
#include "tool/strumento_prova.h"

// `scenario_tool check` as a route author runs it, on the built-in sources and on
// changed copies of them.
class ComandoCheck : public ::testing::Test {
 protected:
  ComandoCheck() { esegui_strumento({"sources", src()}); }

  std::string src() const { return p.percorso("src"); }
  std::string servizio() const { return percorso_in(src(), "QUMA-DORVIA_MIRELO_brezane-.txt"); }
  // The first line of the service file that begins with `da`, made to begin with `a`.
  int cambia_servizio(const std::string& da, const std::string& a) {
    std::string testo = p.leggi("src/QUMA-DORVIA_MIRELO_brezane-.txt");
    size_t k = testo.find("\r\n" + da) + 2;
    testo.replace(k, da.size(), a);
    p.scrivi("src/QUMA-DORVIA_MIRELO_brezane-.txt", testo);
    return static_cast<int>(std::count(testo.begin(), testo.begin() + static_cast<long>(k), '\n')) + 1;
  }
  // Every file of SOURCE_DIR with its content.
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> c;
    for (const auto& f : std::filesystem::directory_iterator(src())) {
      c[f.path().filename().string()] = leggi_file(f.path().string());
    }
    return c;
  }

  PiattaformaProva p;
};

TEST_F(ComandoCheck, BuiltInSourcesAndAMisspelledKeyword) {
  esito_strumento e = esegui_strumento({"check", src()});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, "0 errors, 0 warnings\n");
  EXPECT_EQ(e.errori, "");

  int riga = cambia_servizio("segnale", "segnael");
  const std::string avviso = servizio() + ":" + std::to_string(riga) +
                             ":1: warning: \"segnael\" names no record: the "
                             "line is ignored; did you mean 'segnale'? [unknown-keyword]";
  const std::map<std::string, std::string> prima = contenuto();
  e = esegui_strumento({"check", src()});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(righe_di(e.uscita), (std::vector<std::string>{avviso, "0 errors, 1 warnings"}));
  EXPECT_EQ(esegui_strumento({"check", "--werror", src()}).stato, 1);
  EXPECT_EQ(contenuto(), prima) << "SOURCE_DIR was changed";

  e = esegui_strumento({"compile", src(), p.percorso("out")});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, "codice_errore=0 posizione_errore=0\n");
  EXPECT_EQ(righe_di(e.errori), (std::vector<std::string>{avviso, "0 errors, 1 warnings"}));
  e = esegui_strumento({"compile", "-w", src(), p.percorso("out")});
  EXPECT_EQ(e.errori, "");
}

// Errors with notes and warnings, as text and as JSON lines of the documented schema.
TEST_F(ComandoCheck, TextAndJsonForms) {
  cambia_servizio("segnale,    4100",
                  "segnale,    2100");  // on the first signal's cell
  cambia_servizio("velocita,    4200,   180", "velocita,    4200,   183");
  cambia_servizio("segnale,  212800",
                  "segnale,  206400");  // on another signal, far away
  esito_strumento e = esegui_strumento({"check", src()});
  EXPECT_EQ(e.stato, 1);
  std::vector<std::string> righe = righe_di(e.uscita);
  ASSERT_FALSE(righe.empty());
  EXPECT_EQ(righe.back(), "2 errors, 1 warnings");
  const std::regex forma(
      R"(.+:[1-9][0-9]*:[1-9][0-9]*: (error: .+ \[code [0-9]+\]|warning: .+ \[[a-z0-9-]+\]|note: .+))");
  for (size_t i = 0; i + 1 < righe.size(); ++i) EXPECT_TRUE(std::regex_match(righe[i], forma)) << righe[i];

  e = esegui_strumento({"check", "--format", "json", "--no-plan", src()});
  EXPECT_EQ(e.stato, 1);
  righe = righe_di(e.uscita);
  ASSERT_EQ(righe.size(), 3u);
  std::vector<std::string> codici;
  for (const std::string& r : righe) {
    json v = json::parse(r);
    ASSERT_EQ(v.size(), 10u) << r;
    EXPECT_GE(v["end_line"].get<double>(), v["line"].get<double>());
    EXPECT_EQ(v["fixes"].size(), 0u);
    EXPECT_EQ(v["file"].get<std::string>(), servizio());
    EXPECT_GE(v["line"].get<double>(), 1);
    EXPECT_GE(v["column"].get<double>(), 1);
    EXPECT_TRUE(v["message"].is_string());
    const bool errore = v["severity"].get<std::string>() == "error";
    EXPECT_TRUE(errore || v["severity"].get<std::string>() == "warning") << r;
    EXPECT_EQ(v["code"].is_number(), errore) << r;
    codici.push_back(errore ? std::to_string(static_cast<int>(v["code"].get<double>())) : v["code"].get<std::string>());
    EXPECT_EQ(v["notes"].size(), errore ? 1u : 0u) << r;
    for (const json& n : v["notes"]) {
      EXPECT_EQ(n.size(), 6u);
      EXPECT_EQ(n["file"].get<std::string>(), servizio());
      EXPECT_EQ(n["message"].get<std::string>().rfind("the cell at ", 0), 0u) << r;
      EXPECT_GE(n["line"].get<double>(), 1);
      EXPECT_GE(n["column"].get<double>(), 1);
    }
  }
  EXPECT_EQ(codici, (std::vector<std::string>{"speed-rounded", "16", "16"}));

  EXPECT_EQ(esegui_strumento({"check", "--format", "xml", src()}).stato, uscita_uso);
  EXPECT_EQ(esegui_strumento({"check"}).stato, uscita_uso);
  EXPECT_EQ(esegui_strumento({"check", p.percorso("nowhere")}).stato, uscita_uso);
}

// A NUL byte in a numeric field is shown as \0, and the message goes on after it, as
// text and as JSON.
TEST_F(ComandoCheck, ANulByteInAFieldIsShownEscaped) {
  int riga = cambia_servizio("velocita,     500,    60", std::string("velocita,     500,    228") + '\0' + "x");
  const std::string dove = servizio() + ":" + std::to_string(riga) + ":23: error: ";
  const std::string trovato = R"(must be a whole number; found "228\0x")";
  std::vector<std::string> righe = righe_di(esegui_strumento({"check", src()}).uscita);
  ASSERT_EQ(righe.size(), 2u);
  EXPECT_EQ(righe[0].rfind(dove, 0), 0u) << righe[0];
  EXPECT_TRUE(righe[0].ends_with(trovato + " [code 25]")) << righe[0];
  righe = righe_di(esegui_strumento({"check", "--format", "json", src()}).uscita);
  ASSERT_EQ(righe.size(), 1u);
  EXPECT_TRUE(json::parse(righe[0])["message"].get<std::string>().ends_with(trovato)) << righe[0];
}

// A route of one's own: `new` writes a pair that check passes with --werror, found by
// its names (by view too); two pairs are named, not guessed; carets under a diagnostic on demand;
// `explain` prints the reference of a code or a warning.
TEST_F(ComandoCheck, ANewRouteFoundByItsNamesCaretsAndExplain) {
  const std::string mia = p.percorso("mia");
  ASSERT_EQ(esegui_strumento({"new", "--line", "A", "--train", "T", mia}).stato, 0);
  esito_strumento e = esegui_strumento({"check", "--werror", mia});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_EQ(e.uscita, "0 errors, 0 warnings\n");
  EXPECT_EQ(esegui_strumento({"new", "--line", "A", "--train", "T", mia}).stato, 1) << "nothing is overwritten";
  e = esegui_strumento({"compile", mia, p.percorso("out")});
  EXPECT_EQ(e.uscita, "codice_errore=0 posizione_errore=0\n");
  EXPECT_TRUE(std::filesystem::exists(p.percorso("out/A_T.sim")));
  EXPECT_EQ(esegui_strumento({"plot", p.percorso("out"), "-o", p.percorso("a.svg")}).stato, 0);
  e = esegui_strumento({"view", mia, "-o", "-"});
  EXPECT_NE(e.uscita.find("<title>A \u2014 T</title>"), std::string::npos) << "view finds the names as check does";

  ASSERT_EQ(esegui_strumento({"new", "--line", "B", "--train", "T", mia}).stato, 0);
  e = esegui_strumento({"check", mia});
  EXPECT_EQ(e.stato, 1);
  EXPECT_NE(e.uscita.find("note: several pairs of source files here, pick one: --line A --train T, --line B --train T"),
            std::string::npos)
      << e.uscita;

  std::string testo = p.leggi("mia/A_linea.txt");
  testo.replace(testo.find("pendenza,  3000"), 8, "pendneza");
  p.scrivi("mia/A_linea.txt", testo);
  e = esegui_strumento({"check", "--line", "A", "--train", "T", "--caret=always", mia});
  std::vector<std::string> righe = righe_di(e.uscita);
  ASSERT_EQ(righe.size(), 4u) << e.uscita;
  EXPECT_EQ(righe[1], "   22 | pendneza,  3000,    5");
  EXPECT_EQ(righe[2], "      | ^~~~~~~~");
  EXPECT_EQ(righe_di(esegui_strumento({"check", "--line", "A", "--train", "T", mia}).uscita).size(), 2u)
      << "no carets where the output is no terminal";
  EXPECT_EQ(esegui_strumento({"check", "--caret=sometimes", mia}).stato, uscita_uso);

  e = esegui_strumento({"explain", "16"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita.rfind("Code 16\n", 0), 0u) << e.uscita;
  e = esegui_strumento({"explain", "speed-order"});
  EXPECT_NE(e.uscita.find("ascending order"), std::string::npos) << e.uscita;
  EXPECT_EQ(esegui_strumento({"explain", "14"}).stato, uscita_uso);
}
