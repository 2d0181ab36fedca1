// The outputs that must not move while the code beneath them does: the built-in compiled
// set, held to digests computed by an independent implementation of the compiler, and
// the whole text and JSON report of `check` on a faulty copy of the built-in sources.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "compiler/sha256_prova.h"
#include "tool/strumento_prova.h"

TEST(Sha256, KnownAnswers) {
  EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256_hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // Two blocks: the padding no longer fits the first.
  EXPECT_EQ(sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

// These digests were computed by an independent implementation of the compiler from the
// built-in sources, not by this program: copied here as they were given.
TEST_F(ScenarioIncorporato, CompiledSetMatchesIndependentDigests) {
  const std::pair<const char*, const char*> attesi[] = {
      {"_linea.dat", "cc511b9d08defff31d785a3918b0a73e0817b330cfe9fc443e68a887b27048e6"},
      {"_brezane.dat", "668e8686367def2f565ef4c0360302a8762fbaa35635eb6854d160e353bb12ee"},
      {"_brezane.sim", "6b3261493c507c9b631b5c8788ed2942616c7fc6b8a4c0f5b3020f15f591bb8b"},
  };
  for (const auto& [nome, digest] : attesi) EXPECT_EQ(sha256_hex(leggi_file(compilato(nome))), digest) << nome;
}

namespace {

// The first line of `file` in the folder that begins with `da`, made to begin with `a`.
void cambia(PiattaformaProva& p, const std::string& file, const std::string& da, const std::string& a) {
  std::string testo = p.leggi(file);
  const size_t k = testo.find("\r\n" + da) + 2;
  ASSERT_NE(k, std::string::npos + 2) << da;
  testo.replace(k, da.size(), a);
  p.scrivi(file, testo);
}

// `modello` with @L and @S replaced by the two files' paths (JSON-escaped where `json`).
std::string con_percorsi(std::string modello, const std::string& linea, const std::string& servizio, bool json) {
  auto escapa = [json](std::string s) {
    if (!json) return s;
    for (size_t i = 0; (i = s.find('\\', i)) != std::string::npos; i += 2) s.insert(i, 1, '\\');
    return s;
  };
  for (const auto& [segno, percorso] : {std::pair{"@L", linea}, std::pair{"@S", servizio}}) {
    for (size_t i = 0; (i = modello.find(segno, i)) != std::string::npos;) modello.replace(i, 2, escapa(percorso));
  }
  return modello;
}

// The JSON lines of a text, each parsed: members in the order written.
std::vector<nlohmann::ordered_json> righe_json(const std::string& testo) {
  std::vector<nlohmann::ordered_json> v;
  for (const std::string& r : righe_di(testo)) v.push_back(nlohmann::ordered_json::parse(r));
  return v;
}

}  // namespace

// One error with a note, a field too many with a note, a rounded speed and two misspelt
// keywords with their fixes: every byte of the text, every value of the JSON lines in
// their order, and the exit status.
TEST(UsciteFissate, CheckOfAFaultySourceAsTextAndJson) {
  PiattaformaProva p;
  ASSERT_EQ(esegui_strumento({"sources", p.percorso("src")}).stato, 0);
  const std::string linea = "src/QUMA-DORVIA_MIRELO_linea.txt", servizio = "src/QUMA-DORVIA_MIRELO_brezane-.txt";
  cambia(p, servizio, "segnale,    4100", "segnale,    2100");
  cambia(p, servizio, "velocita,    4200,   180", "velocita,    4200,   183");
  cambia(p, servizio, "segnale,  212800", "segnael,  212800");
  cambia(p, linea, "pendenza,  4000", "pendnza,  4000");
  cambia(p, linea, "curvas3,  5000,  400", "curvas3,  5000,  400, 7");
  const std::string pl = percorso_in(p.percorso("src"), "QUMA-DORVIA_MIRELO_linea.txt");
  const std::string ps = percorso_in(p.percorso("src"), "QUMA-DORVIA_MIRELO_brezane-.txt");

  const char* testo =
      "@L:12:23: warning: curva has 3 fields: \"7\" is one too many, and is read as a keyword [too-many-fields]\n"
      "@L:12:18: note: the 3rd and last field, its length in metres, is read as \"400\"\n"
      "@L:109:1: warning: \"pendnza\" names no record: the line is ignored; did you mean 'pendenza'? "
      "[unknown-keyword]\n"
      "@S:16:22: warning: speed 183 km/h is kept in steps of 5 km/h, as 185 km/h [speed-rounded]\n"
      "@S:74:13: error: signal on an occupied cell, at 2100 m [code 16]\n"
      "@S:73:1: note: the cell at 2150 m (cell 43) holds a signal\n"
      "@S:184:1: warning: \"segnael\" names no record: the line is ignored; did you mean 'segnale'? "
      "[unknown-keyword]\n"
      "1 errors, 4 warnings\n";
  esito_strumento e = esegui_strumento({"check", p.percorso("src")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.uscita, con_percorsi(testo, pl, ps, false));
  EXPECT_EQ(e.errori, "");

  const char* json =
      R"({"file": "@L", "line": 12, "column": 23, "end_line": 12, "end_column": 24, "severity": "warning", )"
      R"("code": "too-many-fields", "message": "curva has 3 fields: \"7\" is one too many, and is read as a )"
      R"(keyword", "notes": [{"file": "@L", "line": 12, "column": 18, "end_line": 12, "end_column": 21, )"
      R"("message": "the 3rd and last field, its length in metres, is read as \"400\""}], "fixes": []})"
      "\n"
      R"({"file": "@L", "line": 109, "column": 1, "end_line": 109, "end_column": 8, "severity": "warning", )"
      R"("code": "unknown-keyword", "message": "\"pendnza\" names no record: the line is ignored; did you mean )"
      R"('pendenza'?", "notes": [], "fixes": [{"range": {"line": 109, "column": 1, "end_line": 109, )"
      R"("end_column": 8}, "replacement": "pendenza"}]})"
      "\n"
      R"({"file": "@S", "line": 16, "column": 22, "end_line": 16, "end_column": 25, "severity": "warning", )"
      R"("code": "speed-rounded", "message": "speed 183 km/h is kept in steps of 5 km/h, as 185 km/h", )"
      R"("notes": [], "fixes": []})"
      "\n"
      R"({"file": "@S", "line": 74, "column": 13, "end_line": 74, "end_column": 17, "severity": "error", )"
      R"("code": 16, "message": "signal on an occupied cell, at 2100 m", "notes": [{"file": "@S", "line": 73, )"
      R"("column": 1, "end_line": 73, "end_column": 8, "message": "the cell at 2150 m (cell 43) holds a )"
      R"(signal"}], "fixes": []})"
      "\n"
      R"({"file": "@S", "line": 184, "column": 1, "end_line": 184, "end_column": 8, "severity": "warning", )"
      R"("code": "unknown-keyword", "message": "\"segnael\" names no record: the line is ignored; did you mean )"
      R"('segnale'?", "notes": [], "fixes": [{"range": {"line": 184, "column": 1, "end_line": 184, )"
      R"("end_column": 8}, "replacement": "segnale"}]})"
      "\n";
  e = esegui_strumento({"check", "--format", "json", p.percorso("src")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(righe_json(e.uscita), righe_json(con_percorsi(json, pl, ps, true)));
  EXPECT_EQ(e.errori, "");
}
