#include "view/dati_vista.h"

#include <gtest/gtest.h>

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

// Text from the route cannot close the script element that holds the data, nor be
// taken for one of the page's marks.
TEST(DatiVista, TheDataCannotEndItsScriptElement) {
  sorgenti_in_memoria s = sorgenti_incorporate();
  std::string& linea = s.file[nome_file_linea(linea_incorporata)];
  linea.replace(linea.find("(GALLERIA)(MIRELO  )"), 20, "</script>{{LIVE}}   ");
  std::string j = dati_vista_json(s, richiesta);
  EXPECT_EQ(j.find("</"), std::string::npos);
  std::string pagina = pagina_vista(j, "a <b>");
  EXPECT_NE(pagina.find("<\\/script>{{LIVE}}"), std::string::npos);
  EXPECT_NE(pagina.find("<title>a &lt;b&gt;</title>"), std::string::npos);
  EXPECT_NE(pagina.find("const LIVE = false;"), std::string::npos);
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
