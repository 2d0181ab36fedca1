#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "lsp/sessione_prova.h"
#include "model/limiti.h"
#include "platform/piattaforma_prova.h"

namespace {

// The labels of a completion's items, in their sort order.
std::vector<std::string> etichette(const json& risultato) {
  std::vector<json> items(risultato["items"].begin(), risultato["items"].end());
  std::stable_sort(items.begin(), items.end(),
                   [](const json& a, const json& b) { return a["sortText"].get<std::string>() < b["sortText"].get<std::string>(); });
  std::vector<std::string> e;
  for (const json& i : items) e.push_back(i["label"]);
  return e;
}

// The built-in pair open and unchanged, its diagnostics published: none.
class RichiesteSullaCoppia : public ::testing::Test {
 protected:
  void SetUp() override {
    p.apri(uri_linea, linea);
    p.apri(uri_servizio, servizio);
    auto d = p.pubblica();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[uri_linea]["diagnostics"], json::array());
    EXPECT_EQ(d[uri_servizio]["diagnostics"], json::array());
  }
  sessione_prova p;
  const std::string linea = linea_utf8(), servizio = servizio_utf8();
};

json sposta(json posizione, int di) {
  posizione["character"] = posizione["character"].get<int>() + di;
  return posizione;
}

}  // namespace

// Hover on the built-in pair: what each place answers.
TEST_F(RichiesteSullaCoppia, Hover) {
  auto testo_hover = [&](const std::string& uri, json posizione) {
    json h = p.richiedi("textDocument/hover", {{"textDocument", sessione_prova::doc(uri)}, {"position", posizione}});
    return h.is_null() ? std::string("(none)") : h["contents"]["value"].get<std::string>();
  };
  struct caso_hover {
    const char* cosa;
    std::string uri;
    json posizione;
    std::vector<std::string> attesi;
  };
  const caso_hover hover[] = {
      {"a keyword: its record and fields", uri_servizio, dove(servizio, "segnale,    2100"),
       {"**segnale**: signal", "1. its position in metres", "11. its time value (tempo)"}},
      {"a station's keyword", uri_servizio, dove(servizio, "stazione,   15300"),
       {"**stazione**: station", "17. its name"}},
      {"a signal's position: km and cell", uri_servizio, sposta(dove(servizio, "segnale,    2100"), 12),
       {"1st field: its position in metres", "2100 m = km 2.100", "cell 43 (2150 to 2199 m)"}},
      {"a speed: its 5 km/h step", uri_servizio, sposta(dove(servizio, "velocita,     750,   155"), 22),
       {"the speed limit in km/h", "155 km/h (stored 31)"}},
      {"a gradient's position: the cell it holds from", uri_linea, sposta(dove(linea, "pendenza,  1350"), 11),
       {"km 1.350", "holds from cell 27"}},
      {"a section header", uri_servizio, dove(servizio, "[segnali]"), {"**[segnali]**: signals (segnale)"}},
      {"a general record of the line", uri_linea, dove(linea, "lunghezza percorso"),
       {"**lunghezza percorso**: route length"}},
      {"a file never opened", "file:///altrove/X_linea.txt", sessione_prova::pos(0, 0), {"(none)"}},
      {"past the end of the file", uri_linea, sessione_prova::pos(99999, 3), {"(none)"}},
  };
  for (const caso_hover& c : hover) {
    std::string t = testo_hover(c.uri, c.posizione);
    for (const std::string& a : c.attesi) EXPECT_NE(t.find(a), std::string::npos) << c.cosa << ":\n" << t;
  }
}

// Completion: the section's keywords first, then the others of the part, then the headers.
TEST_F(RichiesteSullaCoppia, Completion) {
  struct caso_completamento {
    const char* cosa;
    std::string uri;
    json posizione;
    std::vector<std::string> primi;
  };
  const caso_completamento completamenti[] = {
      {"in [segnali]", uri_servizio, dove(servizio, "segnale,    2100"), {"segnale", "percentuale massa frenata"}},
      {"in [vel_limite]", uri_servizio, dove(servizio, "velocita,   0"), {"velocita", "percentuale massa frenata"}},
      {"in the line's general part", uri_linea, dove(linea, "lunghezza percorso"), {"lunghezza percorso"}},
      {"in [pendenze]", uri_linea, dove(linea, "pendenza,   0"), {"pendenza", "curvad1"}},
      {"after the keyword: nothing", uri_servizio, sposta(dove(servizio, "segnale,    2100"), 9), {}},
  };
  for (const caso_completamento& c : completamenti) {
    json r = p.richiedi("textDocument/completion", {{"textDocument", sessione_prova::doc(c.uri)}, {"position", c.posizione}});
    std::vector<std::string> e = r.is_array() ? std::vector<std::string>{} : etichette(r);
    ASSERT_GE(e.size(), c.primi.size()) << c.cosa;
    for (size_t i = 0; i < c.primi.size(); ++i) EXPECT_EQ(e[i], c.primi[i]) << c.cosa;
    if (c.primi.empty()) {
      EXPECT_TRUE(e.empty()) << c.cosa;
    }
  }
}

// The outline: sections, with the stations named and placed in km; a workspace symbol.
TEST_F(RichiesteSullaCoppia, Symbols) {
  json simboli = p.richiedi("textDocument/documentSymbol", {{"textDocument", sessione_prova::doc(uri_servizio)}});
  std::vector<std::string> stazioni;
  for (const json& s : simboli) {
    if (s["name"] != "[stazioni]") continue;
    for (const json& f : s["children"]) stazioni.push_back(f["name"].get<std::string>() + " " + f["detail"].get<std::string>());
  }
  ASSERT_GE(stazioni.size(), 3u);
  EXPECT_EQ(stazioni[0], "QUMA km 0.000");
  EXPECT_EQ(stazioni[2], "VALMERINO km 15.300");
  json area = p.richiedi("workspace/symbol", {{"query", "valmerino"}});
  ASSERT_EQ(area.size(), 1u);
  EXPECT_EQ(area[0]["location"]["uri"], uri_servizio);
}

// Positions past the file, however large, are its end, never wrapped around: a
// completion past 2^31 lines replaces up to the file's end, a hover past 2^32 answers
// for the end (nothing: the last line is empty), not for line 1, and one 2^40
// characters into a line for the line's last field, not its keyword.
TEST_F(RichiesteSullaCoppia, PositionsPastTheFile) {
  auto chiedi = [&](const std::string& metodo, json riga, json carattere) {
    return p.richiedi(metodo, {{"textDocument", sessione_prova::doc(uri_servizio)},
                               {"position", {{"line", riga}, {"character", carattere}}}});
  };
  const json fine = sessione_prova::pos(static_cast<int>(std::count(servizio.begin(), servizio.end(), '\n')), 0);
  json completamento = chiedi("textDocument/completion", int64_t{1} << 31, 0);
  ASSERT_FALSE(completamento["items"].empty());
  for (const json& i : completamento["items"]) EXPECT_EQ(i["textEdit"]["range"]["end"], fine) << i;
  EXPECT_TRUE(chiedi("textDocument/hover", (int64_t{1} << 32) + 1, 3).is_null());
  json h = chiedi("textDocument/hover", dove(servizio, "segnale,    2100")["line"], int64_t{1} << 40);
  EXPECT_NE(h["contents"]["value"].get<std::string>().find("11th field"), std::string::npos) << h;
}

// Each edit of the built-in service file, and the diagnostic it brings at its range,
// with its fix where it has one; the line file is open too, unchanged.
TEST(ServitoreLsp, DiagnosticsOfAnEditedBuffer) {
  struct caso {
    const char* cosa;
    std::string da, a, dopo;
    json codice;
    std::string segno;           // the text the range underlines
    std::string correzione;      // the fix's text, or none
  };
  const caso casi[] = {
      {"a misspelt keyword", "segnale,    4100", "segnalr,    4100", "", "unknown-keyword", "segnalr", "segnale"},
      {"a speed off its step after an è", "velocita,     750,   155", "velocit\xC3\xA8,     750,   183", "", "speed-rounded",
       "183", ""},
      {"a signal on an occupied cell", "segnale,    6200", "segnale,    4120", "", 16, "4120", ""},
  };
  for (const caso& c : casi) {
    sessione_prova p;
    p.apri(uri_linea, linea_utf8());
    p.apri(uri_servizio, servizio_utf8());
    p.pubblica();
    std::string testo = sostituisci(servizio_utf8(), c.da, c.a, c.dopo);
    p.cambia(uri_servizio, testo, 2);
    auto d = p.pubblica();
    ASSERT_TRUE(d.contains(uri_servizio)) << c.cosa;
    EXPECT_EQ(d[uri_servizio]["version"], 2) << c.cosa;
    EXPECT_EQ(d[uri_linea]["diagnostics"], json::array()) << c.cosa;
    const json* trovata = nullptr;
    for (const json& x : d[uri_servizio]["diagnostics"]) {
      if (x["code"] == c.codice) trovata = &x;
    }
    ASSERT_NE(trovata, nullptr) << c.cosa << ": " << d[uri_servizio].dump();
    json inizio = dove(testo, c.a);
    size_t colonna = c.a.find(c.segno);
    int carattere = inizio["character"].get<int>();
    for (size_t i = 0; i < colonna; ++i) carattere += (static_cast<unsigned char>(c.a[i]) & 0xC0) != 0x80;
    EXPECT_EQ((*trovata)["range"]["start"], sessione_prova::pos(inizio["line"], carattere)) << c.cosa;
    EXPECT_EQ((*trovata)["range"]["end"],
              sessione_prova::pos(inizio["line"], carattere + static_cast<int>(c.segno.size())))
        << c.cosa;
    json azioni = p.richiedi("textDocument/codeAction", {{"textDocument", sessione_prova::doc(uri_servizio)},
                                                         {"range", (*trovata)["range"]},
                                                         {"context", {{"diagnostics", json::array()}}}});
    if (c.correzione.empty()) {
      EXPECT_EQ(azioni, json::array()) << c.cosa;
    } else {
      ASSERT_EQ(azioni.size(), 1u) << c.cosa;
      EXPECT_EQ(azioni[0]["edit"]["changes"][uri_servizio][0]["newText"], c.correzione) << c.cosa;
      EXPECT_EQ(azioni[0]["edit"]["changes"][uri_servizio][0]["range"], (*trovata)["range"]) << c.cosa;
    }
    // Hover on the diagnostic shows its reference.
    json h = p.richiedi("textDocument/hover", {{"textDocument", sessione_prova::doc(uri_servizio)},
                                               {"position", (*trovata)["range"]["start"]}});
    std::string chi = c.codice.is_string() ? c.codice.get<std::string>() : std::to_string(c.codice.get<int>());
    EXPECT_NE(h["contents"]["value"].get<std::string>().find("the reference of " + chi), std::string::npos) << c.cosa;
    EXPECT_EQ((*trovata)["codeDescription"]["href"], "file:///docs/codes.md#" + chi) << c.cosa;
  }
}

// The pair from open buffers: the line file's route length cut short puts the service
// file's signals beyond the grid; a note leads back to the line file, and go to
// definition follows it. Changes come in a burst: one result, of the last version.
TEST(ServitoreLsp, ThePairFromUnsavedBuffers) {
  sessione_prova p;
  p.apri(uri_servizio, servizio_utf8());
  p.apri(uri_linea, linea_utf8());
  p.pubblica();
  std::string corta = sostituisci(linea_utf8(), "lunghezza percorso,    228000", "lunghezza percorso,    20000");
  p.cambia(uri_linea, linea_utf8(), 2);
  p.cambia(uri_linea, corta, 3);
  auto d = p.pubblica();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[uri_linea]["version"], 3);
  ASSERT_FALSE(d[uri_linea]["diagnostics"].empty()) << d[uri_linea];
  const json& oltre = d[uri_linea]["diagnostics"][0];
  EXPECT_EQ(oltre["code"], 15);
  EXPECT_TRUE(oltre.contains("relatedInformation"));
  json destinazioni = p.richiedi("textDocument/definition",
                                 {{"textDocument", sessione_prova::doc(uri_linea)}, {"position", oltre["range"]["start"]}});
  ASSERT_TRUE(destinazioni.is_array()) << destinazioni;
  // The notes: the route length itself, and the first record beyond the grid.
  ASSERT_EQ(destinazioni.size(), 2u) << destinazioni;
  EXPECT_EQ(destinazioni[1]["uri"], uri_linea);
  EXPECT_EQ(destinazioni[1]["range"]["start"], sessione_prova::pos(22, 10));  // its position
  EXPECT_TRUE(p.pubblica().empty());  // nothing changed since

  // Closed, the service file's diagnostics are cleared and the line file is checked
  // without it.
  auto chiusa = p.notifica("textDocument/didClose", {{"textDocument", sessione_prova::doc(uri_servizio)}});
  ASSERT_EQ(chiusa.size(), 1u);
  EXPECT_EQ(chiusa[0]["params"]["uri"], uri_servizio);
  EXPECT_EQ(chiusa[0]["params"]["diagnostics"], json::array());
  d = p.pubblica();
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[uri_linea]["diagnostics"][0]["message"],
            "no service description QUMA-DORVIA_MIRELO_TRAIN-.txt in this folder: the line description is checked alone");
  EXPECT_EQ(d[uri_linea]["diagnostics"][1]["code"], 15);
}

// What goes wrong on the protocol's side, and the error each gets.
TEST(ServitoreLsp, ProtocolErrors) {
  struct caso {
    const char* cosa;
    std::string messaggio;
    int codice;  // 0: no answer
  };
  const caso casi[] = {
      {"not JSON", "{\"jsonrpc\": ", -32700},
      {"not an object", "[1, 2]", -32600},
      {"no method", "{\"jsonrpc\": \"2.0\", \"id\": 4}", -32600},
      {"an id of the wrong kind", "{\"jsonrpc\": \"2.0\", \"id\": {}, \"method\": \"shutdown\"}", -32600},
      {"an unknown method", "{\"jsonrpc\": \"2.0\", \"id\": 5, \"method\": \"textDocument/rename\"}", -32601},
      {"parameters of the wrong kind", "{\"jsonrpc\": \"2.0\", \"id\": 6, \"method\": \"textDocument/hover\", \"params\": {\"textDocument\": 3}}",
       -32602},
      {"an unknown notification", "{\"jsonrpc\": \"2.0\", \"method\": \"$/whatever\"}", 0},
      {"a notification with bad parameters", "{\"jsonrpc\": \"2.0\", \"method\": \"textDocument/didOpen\", \"params\": 7}", 0},
      {"a change of a file never opened",
       "{\"jsonrpc\": \"2.0\", \"method\": \"textDocument/didChange\", \"params\": {\"textDocument\": {\"uri\": \"file:///x_linea.txt\"}, \"contentChanges\": []}}",
       0},
  };
  sessione_prova p;
  for (const caso& c : casi) {
    std::vector<json> r = p.s->gestisci(c.messaggio);
    if (c.codice == 0) {
      EXPECT_TRUE(r.empty()) << c.cosa;
    } else {
      ASSERT_EQ(r.size(), 1u) << c.cosa;
      EXPECT_EQ(r[0]["error"]["code"], c.codice) << c.cosa;
    }
  }
  EXPECT_FALSE(p.s->in_attesa());

  // Before initialize, and after shutdown.
  servitore_lsp nuovo{opzioni_lsp{}};
  EXPECT_EQ(nuovo.gestisci(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "textDocument/hover"}})[0]["error"]["code"], -32002);
  EXPECT_TRUE(p.richiedi("shutdown", nullptr).is_null());
  EXPECT_EQ(p.richiedi("textDocument/hover", json::object())["error"]["code"], -32600);
  EXPECT_FALSE(p.s->finito());
  p.notifica("exit", nullptr);
  EXPECT_TRUE(p.s->finito());
  EXPECT_EQ(p.s->stato_uscita(), 0);
}

// Positions in UTF-8 bytes when the client offers them, and snippets when it takes them.
TEST(ServitoreLsp, WhatTheClientOffers) {
  sessione_prova p({{"general", {{"positionEncodings", {"utf-16", "utf-8"}}}},
                    {"textDocument", {{"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}});
  EXPECT_EQ(p.s->codifica(), codifica_posizioni::utf8);
  std::string servizio = sostituisci(servizio_utf8(), "velocita,     750,   155", "velocit\xC3\xA8,     750,   183");
  p.apri(uri_linea, linea_utf8());
  p.apri(uri_servizio, servizio);
  auto d = p.pubblica();
  ASSERT_EQ(d[uri_servizio]["diagnostics"].size(), 1u);
  json inizio = dove(servizio, "velocit\xC3\xA8");
  // 183 stands after the line's 22nd byte of UTF-8 (è is two bytes), its 21st UTF-16 unit.
  EXPECT_EQ(d[uri_servizio]["diagnostics"][0]["range"]["start"], sessione_prova::pos(inizio["line"], 22));
  json r = p.richiedi("textDocument/completion", {{"textDocument", sessione_prova::doc(uri_servizio)},
                                                  {"position", dove(servizio, "segnale,    2100")}});
  std::string snippet;
  for (const json& i : r["items"]) {
    if (i["label"] == "segnale (record)") snippet = i["textEdit"]["newText"];
  }
  EXPECT_EQ(snippet, "segnale, ${1:its position in metres}, ${2:sx}, ${3:s1}, ${4:s2}, ${5:s3}, ${6:rapp}, ${7:dx}, "
                     "${8:d1}, ${9:d2}, ${10:d3}, ${11:tempo}");
}

// Workspace symbols cover the pair: the partner of an open file comes from the disk
// when it is not open, and only when the server may read the disk.
TEST(ServitoreLsp, WorkspaceSymbolsReachThePartnerOnDisk) {
  PiattaformaProva cartella;
  cartella.scrivi("QUMA-DORVIA_MIRELO_linea.txt", testo_linea());
  const std::string base = uri_da_percorso(cartella.percorso(""));
  for (bool legge_disco : {true, false}) {
    sessione_prova p(json::object(), legge_disco);
    p.apri(base + "QUMA-DORVIA_MIRELO_brezane-.txt", servizio_utf8());
    std::set<std::string> uri;
    for (const json& s : p.richiedi("workspace/symbol", {{"query", ""}})) uri.insert(s["location"]["uri"]);
    EXPECT_EQ(uri.contains(base + "QUMA-DORVIA_MIRELO_linea.txt"), legge_disco);
    EXPECT_TRUE(uri.contains(base + "QUMA-DORVIA_MIRELO_brezane-.txt"));
  }
}

// The km beside each position, only for a client that asks for it: one on a station's
// line (its position; its length and the rest are not positions), after the field.
TEST(ServitoreLsp, InlayHintsOnlyWhenAskedFor) {
  for (bool chiesti : {false, true}) {
    sessione_prova p(json::object(), false, chiesti ? json{{"inlayHints", true}} : json());
    EXPECT_EQ(p.inizializzato["capabilities"].contains("inlayHintProvider"), chiesti);
    p.apri(uri_servizio, servizio_utf8());
    json inizio = dove(servizio_utf8(), "stazione,   15300");
    json tutto = {{"start", sessione_prova::pos(0, 0)}, {"end", sessione_prova::pos(10000, 0)}};
    json suggeriti = p.richiedi("textDocument/inlayHint", {{"textDocument", sessione_prova::doc(uri_servizio)}, {"range", tutto}});
    std::vector<json> sulla_riga;
    for (const json& h : suggeriti) {
      if (h["position"]["line"] == inizio["line"]) sulla_riga.push_back(h);
    }
    if (!chiesti) {
      EXPECT_EQ(suggeriti, json::array());
      continue;
    }
    EXPECT_GT(suggeriti.size(), 100u);
    ASSERT_EQ(sulla_riga.size(), 1u) << json(sulla_riga);
    EXPECT_EQ(sulla_riga[0]["label"], "km 15.300");
    EXPECT_EQ(sulla_riga[0]["position"], sessione_prova::pos(inizio["line"], 17));
  }
}

// A source file over the size limit (model/limiti.h), on the disk beside the file opened
// or in an open buffer, is refused as `check` refuses it, and nothing is checked: the
// one diagnostic names it, on the first line of each file of the pair at hand.
TEST(ServitoreLsp, AFileOverTheSizeLimitIsRefused) {
  PiattaformaProva cartella;
  const std::string base = uri_da_percorso(cartella.percorso(""));
  const std::string linea = base + "QUMA-DORVIA_MIRELO_linea.txt", servizio = base + "QUMA-DORVIA_MIRELO_brezane-.txt";
  const std::string grande = testo_linea() + std::string(sorgente_massima + 1 - testo_linea().size(), ' ');
  const std::string atteso = "QUMA-DORVIA_MIRELO_linea.txt: larger than 16777216 bytes";
  for (bool su_disco : {true, false}) {
    sessione_prova p(json::object(), true);
    if (su_disco) {
      cartella.scrivi("QUMA-DORVIA_MIRELO_linea.txt", grande);
    } else {
      p.apri(linea, grande);
    }
    p.apri(servizio, servizio_utf8());
    auto d = p.pubblica();
    EXPECT_EQ(d.contains(linea), !su_disco) << su_disco;
    for (const auto& [uri, pubblicate] : d) {
      ASSERT_EQ(pubblicate["diagnostics"].size(), 1u) << uri << pubblicate;
      EXPECT_EQ(pubblicate["diagnostics"][0]["message"], atteso) << uri;
      EXPECT_EQ(pubblicate["diagnostics"][0]["severity"], 1) << uri;
      EXPECT_EQ(pubblicate["diagnostics"][0]["range"]["start"], sessione_prova::pos(0, 0)) << uri;
    }
    EXPECT_TRUE(d.contains(servizio)) << su_disco;
  }
}
