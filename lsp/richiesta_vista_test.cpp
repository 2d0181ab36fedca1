#include <gtest/gtest.h>

#include "lsp/coppia.h"
#include "lsp/sessione_prova.h"
#include "model/nomi_file.h"
#include "platform/piattaforma_prova.h"

namespace {

// scenario.openView on records of the built-in pair, saved in a folder and open in the
// editor: the view asked for that pair, the address with the record's kilometre, shown
// by the client where it can, else named in a message.
TEST(ComandoVista, OpensTheViewAtTheRecordsKilometre) {
  PiattaformaProva disco;
  disco.scrivi("QUMA-DORVIA_MIRELO_linea.txt", testo_linea());
  disco.scrivi("QUMA-DORVIA_MIRELO_brezane-.txt", testo_servizio());
  const std::string linea = uri_da_percorso(disco.percorso("QUMA-DORVIA_MIRELO_linea.txt"));
  const std::string servizio = uri_da_percorso(disco.percorso("QUMA-DORVIA_MIRELO_brezane-.txt"));

  struct caso {
    const char* cosa;
    std::string uri;
    std::string cercato;
    bool mostra;  // the client takes window/showDocument
    std::string km;
  };
  const caso casi[] = {
      {"a station", servizio, "stazione,   15300", true, "15.3"},
      {"a signal, the client shows no documents", servizio, "segnale,    2100", false, "2.1"},
      {"a gradient of the line", linea, "pendenza,  1350", true, "1.35"},
      {"the route length: no position, km 0", linea, "lunghezza percorso", true, "0"},
  };
  for (const caso& c : casi) {
    std::vector<std::string> chieste;
    opzioni_lsp o;
    o.apri_vista = [&](const std::string& cartella, const std::string& l, const std::string& t) {
      chieste.push_back(cartella + "|" + l + "|" + t);
      return std::string("http://127.0.0.1:5555/");
    };
    servitore_lsp s(o);
    json capacita = c.mostra ? json{{"window", {{"showDocument", {{"support", true}}}}}} : json::object();
    std::vector<json> r = s.gestisci(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"},
                                          {"params", {{"processId", nullptr}, {"capabilities", capacita}}}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["result"]["capabilities"]["executeCommandProvider"]["commands"], json::array({"scenario.openView"}));
    std::string testo = in_utf8(c.uri == linea ? testo_linea() : testo_servizio());
    s.gestisci(json{{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
                    {"params", {{"textDocument", {{"uri", c.uri}, {"languageId", "scenario"}, {"version", 1}, {"text", testo}}}}}});
    r = s.gestisci(json{{"jsonrpc", "2.0"}, {"id", 2}, {"method", "workspace/executeCommand"},
                        {"params", {{"command", "scenario.openView"}, {"arguments", {c.uri, dove(testo, c.cercato)}}}}});
    const std::string indirizzo = "http://127.0.0.1:5555/#km=" + c.km;
    ASSERT_EQ(r.size(), 2u) << c.cosa;
    EXPECT_EQ(r[0]["result"], indirizzo) << c.cosa << ": " << r[0];
    if (c.mostra) {
      EXPECT_EQ(r[1]["method"], "window/showDocument") << c.cosa;
      EXPECT_EQ(r[1]["params"], json({{"uri", indirizzo}, {"external", true}})) << c.cosa;
      EXPECT_TRUE(r[1].contains("id")) << c.cosa;
    } else {
      EXPECT_EQ(r[1]["method"], "window/showMessage") << c.cosa;
      EXPECT_NE(r[1]["params"]["message"].get<std::string>().find(indirizzo), std::string::npos) << c.cosa;
    }
    EXPECT_EQ(chieste, std::vector<std::string>{disco.cartella + "|QUMA-DORVIA_MIRELO|brezane"}) << c.cosa;
  }
}

// Without the function the command is neither offered nor run.
TEST(ComandoVista, NotOfferedWithoutAView) {
  sessione_prova p;
  json r = p.richiedi("workspace/executeCommand",
                      {{"command", "scenario.openView"}, {"arguments", {uri_servizio, sessione_prova::pos(0, 0)}}});
  EXPECT_TRUE(r.contains("error")) << r;
}

}  // namespace
