// `scenario_tool dump` on the built-in compiled set and on damaged copies: the text
// and the JSON lines of the grid, the table and the plan, and faults at their offset.
#include <gtest/gtest.h>

#include <regex>

#include <nlohmann/json.hpp>
#include "tool/strumento_prova.h"

namespace {

using json = nlohmann::ordered_json;

// Every line of a JSON lines text, parsed; the first is the file's heading.
std::vector<json> righe_json(const std::string& testo) {
  std::vector<json> v;
  for (const std::string& r : righe_di(testo)) v.push_back(json::parse(r));
  return v;
}

int conta(const std::vector<std::string>& righe, const std::string& modello) {
  std::regex r(modello);
  int n = 0;
  for (const std::string& riga : righe) n += std::regex_match(riga, r);
  return n;
}

}  // namespace

using Dump = ScenarioIncorporato;

TEST_F(Dump, TableOfTheBuiltInRunAsText) {
  esito_strumento e = esegui_strumento({"dump", compilato("_brezane.sim")});
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.errori, "");
  std::vector<std::string> r = righe_di(e.uscita);
  ASSERT_FALSE(r.empty());
  EXPECT_EQ(r[0], compilato("_brezane.sim") + ": general table, 87 entries, 3494 bytes: 26 stations, 8 signboards");
  EXPECT_EQ(conta(r, R"x(entry \d+ at byte \d+, \d+ bytes: station)x"), 26);
  EXPECT_EQ(conta(r, R"x(entry (7[3-9]|80) at byte \d+, \d+ bytes: signboard)x"), 8);
  EXPECT_EQ(r[1], "entry 1 at byte 34, 38 bytes: station");  // 34 bytes and "QUMA"
  EXPECT_EQ(conta(r, R"x(  byte \d+ +testo += "QUMA"  \(name\))x"), 1);
  EXPECT_EQ(conta(r, R"x(  byte 68 +valore_d = 37800  \(time of day, s: 10:30:00\))x"), 1);
  EXPECT_EQ(conta(r, R"x(  byte \d+ +testo += "\(GALLERIA\)\(COLLETTA\)\(M\. 800  \)"  \(text\))x"), 1);
  // The last entry: 34 bytes and "brezane", so it begins 41 bytes before the end.
  EXPECT_EQ(conta(r, "entry 86 at byte 3453, 41 bytes: train header"), 1);
  for (const char* header : {"entry 81 .*: kilometre post", "entry 84 .*: train and route figures",
                             "entry 85 .*: route header", "  byte \\d+ +intero_a = 610  \\(format stamp, 610\\)",
                             "  byte \\d+ +valore_d = 33994  \\(weighted checksum\\)",
                             "  byte \\d+ +valore_b = 228000  \\(route length, m\\)",
                             "  byte \\d+ +valore_b = 213000  \\(cab signalling end, m\\)",
                             "  byte \\d+ +intero_d = 29  \\(clock minutes\\)"}) {
    EXPECT_EQ(conta(r, header), 1) << header;
  }
  EXPECT_EQ(conta(r, "entry 0 .*"), 0);  // unused: shown with --all only
  EXPECT_EQ(conta(righe_di(esegui_strumento({"dump", "--all", compilato("_brezane.sim")}).uscita), "entry \\d+ .*"),
            87);
}

// Read from a folder named outside ASCII: its name comes back whole in the JSON.
TEST_F(Dump, TableAsJsonLines) {
  std::string cartella = percorso_in(compilati(), "\xC3\xA8 \xD0\x96");
  std::filesystem::create_directory(percorso_di(cartella));
  std::string tabella = percorso_in(cartella, "t.sim");
  scrivi_file(tabella, leggi_file(compilato("_brezane.sim")));
  esito_strumento e = esegui_strumento({"dump", "--json", tabella});
  ASSERT_EQ(e.stato, 0) << e.errori;
  std::vector<json> v = righe_json(e.uscita);
  ASSERT_EQ(v.size(), 1u + 26 + 8 + 6);
  EXPECT_EQ(v[0]["file"].get<std::string>(), tabella);
  EXPECT_EQ(v[0]["kind"].get<std::string>(), "table");
  EXPECT_EQ(v[0]["stations"].get<double>(), 26);
  EXPECT_EQ(v[0]["signboards"].get<double>(), 8);
  std::vector<std::string> stazioni, cartelli;
  for (const json& j : v) {
    if (!j.contains("role")) continue;
    if (j["role"].get<std::string>() == "station") stazioni.push_back(j["testo"].get<std::string>());
    if (j["role"].get<std::string>() == "signboard") cartelli.push_back(j["testo"].get<std::string>());
  }
  ASSERT_EQ(stazioni.size(), 26u);
  EXPECT_EQ(stazioni.front(), "QUMA");
  EXPECT_EQ(stazioni[3], "CASTEL TORBIO");
  EXPECT_EQ(stazioni.back(), "MIRELO C.");
  ASSERT_EQ(cartelli.size(), 8u);
  EXPECT_EQ(cartelli.front(), "(GALLERIA)(MIRELO  )(M. 2200 )");  // entry 73: the last signboard read
  EXPECT_EQ(cartelli.back(), "(GALLERIA)(COLLETTA)(M. 800  )");   // entry 80: the first
  const json& ultima = v[26];  // station 26: kind 6 at 214050, 600 m long, arriving 12:17:00
  EXPECT_EQ(ultima["entry"].get<double>(), 26);
  EXPECT_EQ(ultima["codice"].get<double>(), 6);
  EXPECT_EQ(ultima["valore_a"].get<double>(), 213450);
  EXPECT_EQ(ultima["valore_b"].get<double>(), 214200);
  EXPECT_EQ(ultima["valore_d"].get<double>(), 44220);
  const json& treno = v.back();
  EXPECT_EQ(treno["entry"].get<double>(), 86);
  EXPECT_EQ(treno["testo"].get<std::string>(), "brezane");
  EXPECT_EQ(treno["valore_c"].get<double>(), 9);
  EXPECT_EQ(treno["intero_a"].get<double>(), 200);
  EXPECT_EQ(v[v.size() - 2]["valore_c"].get<double>(), 62000);  // entry 85: background 2 in valore_c
  EXPECT_EQ(v[v.size() - 3]["valore_a"].get<double>(), 135);    // entry 84
}

TEST_F(Dump, GridAndPlanOfTheBuiltInRun) {
  esito_strumento e = esegui_strumento({"dump", "--json", compilato("_brezane.dat"), compilato("_linea.dat")});
  ASSERT_EQ(e.stato, 0) << e.errori;
  std::vector<json> v = righe_json(e.uscita);
  EXPECT_EQ(v[0]["cells"].get<double>(), 4701);
  EXPECT_EQ(v[0]["bytes"].get<double>(), 70515);
  std::map<int, const json*> celle;
  size_t piano = 0;
  for (size_t i = 1; i < v.size(); ++i) {
    if (v[i].contains("cell")) celle[static_cast<int>(v[i]["cell"].get<double>())] = &v[i];
    if (v[i].contains("kind") && v[i]["kind"].get<std::string>() == "plan") piano = i;
  }
  ASSERT_TRUE(celle.count(1) && celle.count(43) && celle.count(9) && celle.count(41));
  EXPECT_EQ((*celle[1])["dato1"].get<double>(), 5121);  // the grid header
  EXPECT_EQ((*celle[1])["dato2"].get<double>(), 2612);
  EXPECT_EQ((*celle[43])["kind"].get<std::string>(), "signal");  // "segnale, 2100, 2, 3, 1, 1, 0, ..."
  EXPECT_EQ((*celle[43])["dato1"].get<double>(), 30);
  EXPECT_EQ((*celle[43])["dato4"].get<double>(), 6);
  EXPECT_EQ((*celle[43])["offset"].get<double>(), 645);
  EXPECT_EQ((*celle[43])["velocita"].get<double>(), 31);  // the raw byte, and beside it what it stands for
  EXPECT_EQ((*celle[43])["velocita_kmh"].get<double>(), 155);
  EXPECT_EQ((*celle[43])["pendenza"].get<double>(), 98);
  EXPECT_EQ((*celle[43])["pendenza_per_mille"].get<double>(), -2);
  EXPECT_EQ((*celle[41])["preavviso"].get<double>(), 61);
  EXPECT_EQ((*celle[9])["kind"].get<std::string>(), "station stop");
  EXPECT_EQ((*celle[9])["dato1"].get<double>(), 1);
  EXPECT_FALSE(celle.count(2));  // holds nothing and starts no stretch
  int fermate = 0;
  for (const auto& [k, c] : celle) fermate += (*c)["tipo"].get<double>() == 10;
  EXPECT_EQ(fermate, 25);  // BIVIO ORSANA, of kind 27, has no stop

  ASSERT_GT(piano, 0u);
  EXPECT_EQ(v[piano]["metres"].get<double>(), 235001);
  EXPECT_EQ(v[piano]["bytes"].get<double>(), 4699964);
  const json& zero = v[piano + 1];
  EXPECT_EQ(zero["metre"].get<double>(), 0);
  EXPECT_EQ(zero["x_type"].get<std::string>(), "integer");
  const json& mille = v[piano + 2];  // straight along +y up to the first curve at 1000 m
  EXPECT_EQ(mille["metre"].get<double>(), 1000);
  EXPECT_EQ(mille["x"].get<double>(), 0);
  EXPECT_EQ(mille["y"].get<double>(), 1000);
  EXPECT_EQ(mille["y_type"].get<std::string>(), "double");
  const json& ultimo = v.back();
  EXPECT_EQ(ultimo["metre"].get<double>(), 235000);
  EXPECT_EQ(ultimo["x_type"].get<std::string>(), "empty");
  EXPECT_TRUE(ultimo["x"].is_null());
  EXPECT_EQ(v.size() - piano - 1, 236u);  // metres 0, 1000, ... 235000
}

TEST_F(Dump, GridAndPlanAsText) {
  std::vector<std::string> r = righe_di(esegui_strumento({"dump", compilato("_brezane.dat")}).uscita);
  ASSERT_GT(r.size(), 2u);
  EXPECT_EQ(r[0], compilato("_brezane.dat") + ": track grid, 4701 cells of 50 m, 70515 bytes");
  // Cell 43: the first signal; 155 km/h from 750 m, -2 per mille from 1350 m.
  EXPECT_EQ(conta(r,
                  "cell 43 at 2150 m \\(byte 645\\): signal \\| tipo=1 dato1=30 dato2=10 dato3=10 dato4=6 "
                  "tempo=0 preavviso=0 montagna=0 velocita=31 \\(155 km/h\\) pendenza=98 \\(-2 \u2030\\) aderenza=80"),
            1);
  EXPECT_EQ(conta(r, "cell 1 at 50 m \\(byte 15\\): empty \\| tipo=0 dato1=5121 dato2=2612 .* \\| grid header: .*"), 1);
  EXPECT_EQ(conta(r, "cell 41 at .* preavviso=61 .* \\| signal approach mark 1"), 1);

  // Each half of the plan: two integers (4 bytes each), then 10 bytes a double.
  r = righe_di(esegui_strumento({"dump", "--step", "1000", compilato("_linea.dat")}).uscita);
  EXPECT_EQ(r[0], compilato("_linea.dat") + ": plan, 235001 metres (every x, then every y), 4699964 bytes");
  EXPECT_EQ(r[1], "metre 0 (bytes 0, 2349982): x=0 (integer) y=0 (integer)");
  EXPECT_EQ(r[2], "metre 1000 (bytes 9988, 2359970): x=0.000 (double) y=1000.000 (double)");
  EXPECT_EQ(r.back(), "metre 235000 (bytes 2349980, 4699962): x=empty y=empty");
}

TEST_F(Dump, FaultsCarryTheirByteOffset) {
  PiattaformaProva p;
  std::string griglia = leggi_file(compilato("_brezane.dat"));
  p.scrivi("corta.dat", griglia.substr(0, griglia.size() - 3));
  p.scrivi("strana.bin", griglia.substr(0, 30));
  p.scrivi("piano_linea.dat", std::string("\x02\x00\x00\x00\x09\x00", 6));
  esito_strumento e = esegui_strumento({"dump", p.percorso("corta.dat"), p.percorso("mancante.sim"),
                                        p.percorso("piano_linea.dat"), compilato("_brezane.sim")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(righe_di(e.errori),
            (std::vector<std::string>{p.percorso("corta.dat") + ": byte 70500: cell 4700 is cut short: 12 of 15 bytes",
                                      p.percorso("mancante.sim") + ": cannot read: " + motivo_assente(),
                                      p.percorso("piano_linea.dat") + ": byte 4: element 1: unknown type code 9"}));
  EXPECT_EQ(righe_di(e.uscita)[0].find(compilato("_brezane.sim") + ": general table"), 0u);  // the good one still

  // Standard input, with --kind given either way.
  std::string tabella = leggi_file(compilato("_brezane.sim"));
  e = esegui_strumento({"dump", "--kind=table", "-"}, tabella);
  EXPECT_EQ(e.stato, 0) << e.errori;
  std::string atteso = esegui_strumento({"dump", compilato("_brezane.sim")}).uscita;
  EXPECT_EQ(e.uscita, "standard input" + atteso.substr(compilato("_brezane.sim").size()));
  e = esegui_strumento({"dump", "--kind", "grid", "-"}, griglia.substr(0, 20));
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori, "standard input: byte 15: cell 1 is cut short: 5 of 15 bytes\n");

  // A name that tells nothing needs --kind.
  EXPECT_EQ(esegui_strumento({"dump", p.percorso("strana.bin")}).stato, 64);
  e = esegui_strumento({"dump", "--kind", "grid", "--all", p.percorso("strana.bin")});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(righe_di(e.uscita).size(), 3u);
  for (const std::vector<std::string>& sbagliati : {std::vector<std::string>{"dump"},
                                                    {"dump", "--step", "0", "x.dat"},
                                                    {"dump", "--kind", "map", "x.dat"},
                                                    {"dump", "--bytes", "x.dat"},
                                                    {"dump", "--step"}}) {
    e = esegui_strumento(sbagliati);
    EXPECT_EQ(e.stato, 64) << sbagliati.back();
    EXPECT_EQ(e.errori.rfind("scenario_tool dump: ", 0), 0u);
  }
}
