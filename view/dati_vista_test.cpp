#include "view/dati_vista.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "model/nomi_file.h"
#include "sources/testi_sorgenti.h"
#include "view/pagina_vista.h"

namespace {

const richiesta_caricamento richiesta{linea_incorporata, treno_incorporato, true, false};


// The built-in route: a station with its record's place and text, no stop, nothing that
// could end the page's script element.
TEST(DatiVista, AStationCarriesItsRecordAndTheRouteHasNoStop) {
  sorgenti_in_memoria s = sorgenti_incorporate();
  std::string j = dati_vista_json(s, richiesta);
  EXPECT_NE(j.find(R"({"name":"VALMERINO","entry":3,"m":15300,"from":15050,"to":15550,"kind":4,"stop":15500,)"
                   R"("src":"QUMA-DORVIA_MIRELO_brezane-.txt:43")"),
            std::string::npos);
  EXPECT_NE(j.find(R"("43":"stazione,   15300,)"), std::string::npos);
  EXPECT_NE(j.find(R"("stop":null,"plan":[[0,0.0,0.0],[50,0.0,50.0],)"), std::string::npos);
  // Coordinates and radii to the tenth of a metre, with their tenth always written.
  EXPECT_NE(j.find(R"([228000,-62758.3,182555.7]],"speed":)"), std::string::npos);
  EXPECT_NE(j.find(R"("curves":[[1001,1501,2500.0,"right","QUMA-DORVIA_MIRELO_linea.txt:11"],)"), std::string::npos);
  EXPECT_EQ(s.file.size(), 2u);  // the compilation worked on a copy
}

// A signal laid a second time on its cell stops the compilation there: the stop names
// the record and its metre, and the signals before it are still in the data.
TEST(DatiVista, AStoppedCompilationMarksTheStopAndKeepsWhatWasLoaded) {
  sorgenti_in_memoria s = sorgenti_incorporate();
  std::string& servizio = s.file[nome_file_servizio(linea_incorporata, treno_incorporato)];
  const std::string riga = "segnale,  100400,   2, 4, 1,  1, 0,    0,  0,0,0, 0\r\n";
  size_t p = servizio.find(riga);
  ASSERT_NE(p, std::string::npos);
  servizio.insert(p, riga);
  std::string j = dati_vista_json(s, richiesta);
  EXPECT_NE(j.find(R"("stop":{"code":16,"m":100400,"file":"QUMA-DORVIA_MIRELO_brezane-.txt","line":126,)"),
            std::string::npos);
  EXPECT_NE(j.find(R"("kind":"signal","cell":1965,)"), std::string::npos);  // at 98200 m, before the stop
  EXPECT_EQ(j.find(R"("kind":"signal","cell":2084,)"), std::string::npos);  // at 104150 m, after it
}

// No text of the route can end the script element that holds the data, hide the rest
// of the page in a comment or be taken for one of the page's marks: "<", ">" and "&" are
// written as \u escapes, as are U+2028 and U+2029 (a route's name may hold them), and
// the texts read back the same.
TEST(DatiVista, NoTextOfTheRouteCanEndItsScriptElement) {
  richiesta_caricamento r = richiesta;
  r.linea = "L<!--\u2028\u2029";
  sorgenti_in_memoria s;
  for (const auto& [nome, testo] : sorgenti_incorporate().file) {
    s.file[nome == nome_file_linea(linea_incorporata) ? nome_file_linea(r.linea) : nome_file_servizio(r.linea, r.treno)] =
        testo;
  }
  std::string& linea = s.file[nome_file_linea(r.linea)];
  linea.replace(linea.find("(GALLERIA)(MIRELO  )"), 20, "</script>{{LIVE}}   ");
  std::string& servizio = s.file[nome_file_servizio(r.linea, r.treno)];
  servizio.replace(servizio.find("VALMERINO"), 9, "<!--<script>&amp;");
  std::string j = dati_vista_json(s, r);
  EXPECT_EQ(j.find_first_of("<>&"), std::string::npos);
  EXPECT_NE(j.find(R"("line":"L\u003c!--\u2028\u2029",)"), std::string::npos);
  EXPECT_NE(j.find(R"(\u003c/script\u003e{{LIVE}})"), std::string::npos);
  nlohmann::json dati = nlohmann::json::parse(j);
  EXPECT_EQ(dati["line"], r.linea);
  EXPECT_EQ(dati["stations"][2]["name"], "<!--<script>&amp;");
  std::string pagina = pagina_vista(j, "a <b>");
  EXPECT_NE(pagina.find("<title>a &lt;b&gt;</title>"), std::string::npos);
  EXPECT_NE(pagina.find("const LIVE = false;"), std::string::npos);
}

// A source file that cannot be read (the live view's): no route, the one error with
// check's reason, and the keys of a route's data, in their order, so that the page
// draws it as it draws any route that stopped.
TEST(DatiVista, AFileThatCannotBeReadIsTheOneError) {
  using ordinato = nlohmann::ordered_json;
  sorgenti_in_memoria s = sorgenti_incorporate();
  s.file.erase(nome_file_servizio(linea_incorporata, treno_incorporato));
  ordinato via = ordinato::parse(dati_vista_json(s, richiesta));
  ordinato rifiuto = ordinato::parse(dati_vista_rifiuto_json("L_linea.txt", "not a regular file", richiesta));
  auto chiavi = [](const ordinato& o) {
    std::vector<std::string> k;
    for (const auto& [chiave, valore] : o.items()) k.push_back(chiave);
    return k;
  };
  EXPECT_EQ(chiavi(rifiuto), chiavi(via));
  EXPECT_EQ(chiavi(rifiuto["stop"]), chiavi(via["stop"]));
  ASSERT_EQ(rifiuto["diagnostics"].size(), 1u);
  EXPECT_EQ(chiavi(rifiuto["diagnostics"][0]), chiavi(via["diagnostics"][0]));
  EXPECT_EQ(rifiuto["diagnostics"][0]["message"], "not a regular file");
  EXPECT_EQ(rifiuto["diagnostics"][0]["file"], "L_linea.txt");
  EXPECT_EQ(rifiuto["stop"]["code"], 25);
  EXPECT_TRUE(rifiuto["stations"].empty() && rifiuto["plan"].empty());
}

// What the sources hold is written as it always was: a tab as \u0009, a byte that is no
// UTF-8 (here quoted by a message) as the Windows-1252 character it stands for.
TEST(DatiVista, OddBytesOfTheSourcesKeepTheirEscapes) {
  sorgenti_in_memoria s = sorgenti_incorporate();
  std::string& servizio = s.file[nome_file_servizio(linea_incorporata, treno_incorporato)];
  servizio.replace(servizio.find("stazione,   15300,"), 18, "stazione,\t15300,");
  servizio.replace(servizio.find("segnale,  100400,"), 17, "segnale,  100400\xe8\x01,");
  std::string j = dati_vista_json(s, richiesta);
  EXPECT_NE(j.find(R"("stazione,\u000915300,  4,  500,)"), std::string::npos);
  EXPECT_NE(j.find(R"(found \"100400\u00e8\u0001\"")"), std::string::npos);
}

}  // namespace
