// The route author's reference in docs/ against the code: every record keyword of both
// source files and every code the compiler can record must be documented, and every
// example of a command's output must be what the program prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "loader/parole_chiave_prova.h"
#include "model/codici_errore.h"
#include "platform/file_servizi.h"
#include "tool/aiuto.h"
#include "tool/strumento_prova.h"

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

// One change to a file of the example's folder: `togli` lines from line `riga` on are
// replaced by `righe` (lines ended by "\n"; none to delete, `togli` 0 to insert).
struct modifica {
  std::string file;
  int riga;
  int togli;
  std::string righe;
};

// An example of the docs: the fenced block `blocco` (from 0; -1 the last) of the
// section whose heading begins with `sezione`, and how to produce it. In a fresh folder
// `preparazione` runs, the files are changed, then `comandi` run one after the other;
// the block is what the last one prints, on standard output then standard error, with
// only the lines that match `filtro` and the `dopo` lines after each (as grep -A does).
// An argument "@x" is the folder's x. Paths print relative to the folder, with "/".
struct esempio {
  std::string documento, sezione;
  int blocco;
  std::vector<std::string> preparazione;
  std::vector<modifica> modifiche;
  std::vector<std::vector<std::string>> comandi;
  std::string filtro = "";
  int dopo = 0;
};

const std::string linea = "src/QUMA-DORVIA_MIRELO_linea.txt";
const std::string servizio = "src/QUMA-DORVIA_MIRELO_brezane-.txt";
const std::vector<std::string> incorporate = {"sources", "@src"};
const std::vector<std::vector<std::string>> check = {{"check", "@src"}};

std::string cambia(const std::string& testo, const modifica& m) {
  std::vector<std::string> righe = righe_di(testo);
  for (std::string& r : righe) {
    if (!r.empty() && r.back() == '\r') r.pop_back();
  }
  const auto da_qui = righe.begin() + m.riga - 1;
  auto da = righe.erase(da_qui, da_qui + std::min<long>(m.togli, righe.end() - da_qui));
  const std::vector<std::string> nuove = righe_di(m.righe);
  righe.insert(da, nuove.begin(), nuove.end());
  std::string fuori;
  for (const std::string& r : righe) fuori += r + "\r\n";
  return fuori;
}

// The section of `testo` under the heading that begins with `titolo`.
std::string sezione_di(const std::string& testo, const std::string& titolo) {
  size_t inizio = testo.find("\n" + titolo);
  if (inizio == std::string::npos) return {};
  size_t fine = testo.find("\n#", inizio + 1);
  return testo.substr(inizio + 1, fine == std::string::npos ? std::string::npos : fine - inizio);
}

// The contents of the fenced blocks of `testo`, in order.
std::vector<std::string> blocchi_di(const std::string& testo) {
  std::vector<std::string> blocchi;
  std::string* aperto = nullptr;
  for (const std::string& r : righe_di(testo)) {
    if (r.rfind("```", 0) == 0) {
      aperto = aperto == nullptr ? &blocchi.emplace_back() : nullptr;
    } else if (aperto != nullptr) {
      *aperto += r + "\n";
    }
  }
  return blocchi;
}

std::string produci(const esempio& k) {
  PiattaformaProva p;
  auto argomenti = [&](std::vector<std::string> a) {
    for (std::string& x : a) {
      if (x.rfind('@', 0) == 0) x = p.percorso(x.substr(1));
    }
    return a;
  };
  esito_strumento e = esegui_strumento(argomenti(k.preparazione));
  EXPECT_EQ(e.stato, 0) << e.errori;
  for (const modifica& m : k.modifiche) p.scrivi(m.file, cambia(p.leggi(m.file), m));
  for (const auto& c : k.comandi) e = esegui_strumento(argomenti(c));
  std::string detto = e.uscita + e.errori;
  const std::string cartella = p.cartella + separatore;
  for (size_t i; (i = detto.find(cartella)) != std::string::npos;) detto.erase(i, cartella.size());
  for (const char* c : {"src", "mine", "out"}) {
    const std::string nativo = std::string(c) + separatore;
    for (size_t i = detto.find(nativo); i != std::string::npos; i = detto.find(nativo, i + 1)) {
      detto[i + nativo.size() - 1] = '/';
    }
  }
  if (k.filtro.empty()) return detto;
  std::string scelte;
  int ancora = 0;
  for (const std::string& r : righe_di(detto)) {
    if (std::regex_search(r, std::regex(k.filtro))) ancora = k.dopo + 1;
    if (ancora-- > 0) scelte += r + "\n";
  }
  return scelte;
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

// The synopses of the commands in the README and in docs/ are the usage lines that the
// table of subcommands makes: each subcommand a synopsis names has all its lines there,
// in order, and the README's names every subcommand.
TEST(Documenti, EverySynopsisIsTheUsageOfTheTable) {
  struct sinossi {
    std::string documento, sezione;  // the first fenced block of the section (of the whole page: "")
    bool ogni_comando;
  };
  for (const sinossi& s : {sinossi{"../README.md", "## scenario_tool\n", true},
                           sinossi{"README.md", "", false},
                           sinossi{"view.md", "", false}}) {
    const std::string testo = documento(s.documento);
    const std::vector<std::string> blocchi = blocchi_di(s.sezione.empty() ? testo : sezione_di(testo, s.sezione));
    ASSERT_FALSE(blocchi.empty()) << s.documento;
    std::map<std::string, std::string> per_comando;
    for (const std::string& r : righe_di(blocchi[0])) {
      std::istringstream parole(r);
      std::string programma, nome;
      parole >> programma >> nome;
      per_comando[nome] += r + "\n";
    }
    if (s.ogni_comando) {
      EXPECT_EQ(per_comando.size(), comandi().size()) << s.documento;
    }
    for (const auto& [nome, righe] : per_comando) {
      const comando* c = trova_comando(nome);
      ASSERT_NE(c, nullptr) << s.documento << " names no subcommand in " << righe;
      std::string attese;
      for (const std::string& r : righe_uso(*c)) attese += r + "\n";
      EXPECT_EQ(righe, attese) << s.documento << ": " << nome;
    }
  }
}

namespace {

// The lines the examples of codes.md add to the built-in sources.
std::string indicatori(std::initializer_list<int> posizioni) {
  std::string righe;
  for (int p : posizioni) righe += "indicatori_vmax,  " + std::to_string(p) + ",  100,  100,  100,  0,  ,  ,  ,  0\n";
  return righe;
}
std::string segnale(const std::string& posizione) {
  return "segnale,  " + posizione + ",   2, 4, 0,  0, 0,    0,  0,0,0, 0\n";
}
std::string stazione(const std::string& inizio, const std::string& nome) {
  return "stazione,   " + inizio + ",  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, " + nome + "\n";
}
std::string rallentamento(const std::string& valori) { return "rallentamento,  " + valori + ", 0,  1,  0\n"; }
// 45 signboards, more than the table has entries for: code 10's example, which does
// not show them one by one.
std::string cartelli() {
  std::string righe;
  for (int k = 0; k < 45; ++k) righe += "cartello_indicatore,  " + std::to_string(229000 + 100 * k) + ",   (KM)\n";
  return righe;
}

// The example of each code in codes.md.
std::vector<esempio> esempi_codici() {
  return {
      {"codes.md", "### Code 1\n", -1, incorporate, {{linea, 2, 1, "lunghezza percorso,    1228000\n"}}, check},
      {"codes.md", "### Code 2\n", -1, incorporate,
       {{linea, 3, 1, "progressiva chilometrica uno,    1025,    1000,    0\n"}}, check},
      {"codes.md", "### Code 3\n", -1, incorporate,
       {{linea, 9, 1, "ripetizione segnali 9 codici,    675,    213000\n"}}, check},
      {"codes.md", "### Code 4\n", -1, incorporate,
       {{linea, 9, 1, "ripetizione segnali 9 codici,    650,    213025\n"}}, check},
      {"codes.md", "### Code 5\n", -1, incorporate,
       {{linea, 9, 1, "ripetizione segnali codici,    650,    213000\n"}}, check},
      {"codes.md", "### Code 6\n", -1, incorporate,
       {{linea, 252, 1, "cartello_indicatore,  800,   (GALLERIA)(MIRELO  )(M. 2200 )\n"}}, check},
      {"codes.md", "### Code 7\n", -1, incorporate, {{servizio, 186, 1, "abbattimento,    2150,   270\n"}}, check},
      {"codes.md", "### Code 8\n", -1, incorporate, {{servizio, 43, 1, stazione("15325,  4,  500", "VALMERINO")}},
       check},
      {"codes.md", "### Code 9\n", -1, incorporate, {{servizio, 43, 1, stazione("15300,  4,  550", "VALMERINO")}},
       check},
      {"codes.md", "### Code 10\n", -1, incorporate, {{linea, 253, 0, cartelli()}}, check},
      {"codes.md", "### Code 11\n", -1, incorporate, {{linea, 219, 2, indicatori({17700, 17750})}}, check},
      {"codes.md", "### Code 12\n", -1, incorporate, {{linea, 219, 3, indicatori({19100, 19150, 19200})}}, check},
      {"codes.md", "### Code 13\n", -1, incorporate,
       {{servizio, 68, 1, rallentamento(" 19450,    40, 1000")}, {linea, 219, 2, indicatori({19800, 19850})}}, check},
      {"codes.md", "### Code 15\n", -1, incorporate, {{servizio, 74, 1, segnale("240000")}}, check},
      {"codes.md", "### Code 16\n", -1, incorporate, {{servizio, 74, 1, segnale("  2100")}}, check},
      {"codes.md", "### Code 17\n", -1, incorporate, {{servizio, 68, 1, rallentamento("  2000,    40,  300")}}, check},
      {"codes.md", "### Code 18\n", -1, incorporate, {{servizio, 68, 1, rallentamento("   800,    40,  300")}}, check},
      {"codes.md", "### Code 19\n", -1, incorporate, {{servizio, 68, 1, rallentamento("  3000,    40, 1250")}}, check},
      {"codes.md", "### Code 20\n", -1, incorporate, {{servizio, 68, 1, rallentamento("  2050,    40,  300")}}, check},
      {"codes.md", "### Code 21\n", -1, incorporate,
       {{linea, 218, 1, "indicatori_vmax,  800,  140,  160,  180,  0,  ,  ,  ,  0\n"}}, check},
      {"codes.md", "### Code 22\n", -1, incorporate, {{servizio, 43, 1, stazione("11500,  4,  500", "VALMERINO")}},
       check},
      {"codes.md", "### Code 24\n", -1, incorporate,
       {{servizio, 41, 1, "stazione,       0,  4,  200,  0, 0, 0,  1,1,0,  4,1,1,    1,  10,30, 0, QUMA\n"}}, check},
      {"codes.md", "### Code 25\n", -1, incorporate, {{servizio, 14, 1, "velocita,     5OO,    60\n"}}, check},
      {"codes.md", "### Code 101\n", -1, incorporate, {}, {{"check", "--line", "QUMA-DORVIA_MIRELLO", "@src"}}},
      {"codes.md", "### Code 102\n", -1, incorporate, {{linea, 1, 1, "[general]\n"}}, check},
      {"codes.md", "### Code 103\n", -1, incorporate, {{linea, 11, 1, "curvad,  1000,  500\n"}}, check},
      {"codes.md", "### Code 1250\n", -1, incorporate,
       {{linea, 217, 1, "indicatori_vmax,  0,  140,  145,  155,  0,  ,  ,  ,  0\n"}}, check},
      {"codes.md", "### Code 1251\n", -1, incorporate,
       {{linea, 217, 1, "indicatori_vmax,  0,  0,  145,  155,  0,  ,  ,  ,  0\n"}}, check},
  };
}

// The examples of the warnings in codes.md.
std::vector<esempio> esempi_avvisi() {
  return {
      {"codes.md", "### `unknown-keyword`", -1, incorporate,
       {{servizio, 43, 1, "stazzione,   15300,  4,  500,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VALMERINO\n"}},
       check},
      {"codes.md", "### `unknown-section`", -1, incorporate, {{servizio, 72, 1, "[segnalli]\n"}}, check},
      {"codes.md", "### `keyword-in-section`", -1, incorporate, {{servizio, 12, 1, "[velocita]\n"}}, check},
      {"codes.md", "### `too-many-fields`", -1, incorporate,
       {{servizio, 43, 1, stazione("15300,  4,  500", "0, VALMERINO")}}, check},
      {"codes.md", "### `too-few-fields`", -1, incorporate,
       {{servizio, 43, 1, "stazione,   15300,  4,  500,  0, 0, 0,  1,1,0,  4,1,1\n    0,   0, 0, 0, VALMERINO\n"}},
       check},
      {"codes.md", "### `speed-order`", -1, incorporate,
       {{servizio, 18, 0, "velocita,    9300,   120\n"}}, check},
      {"codes.md", "### `curve-order`", -1, incorporate, {{linea, 12, 1, "curvas3,  1200,  400\n"}}, check},
      {"codes.md", "### `tunnel-order`", -1, incorporate, {{linea, 209, 0, "montagna,   70000,  70500,  1\n"}},
       check},
      {"codes.md", "### `empty-field`", -1, incorporate, {{linea, 200, 1, "pendenza,  202550,   \n"}}, check},
      {"codes.md", "### `speed-rounded`", -1, incorporate, {{servizio, 16, 1, "velocita,    4200,   183\n"}}, check},
      {"codes.md", "### `value-truncated`", -1, incorporate, {{linea, 200, 1, "pendenza,  202550,   160\n"}}, check},
      {"codes.md", "### `empty-curve`", -1, incorporate, {{linea, 12, 1, "curvas3,  5000,  0\n"}}, check},
      {"codes.md", "### `end-before-start`", -1, incorporate, {{linea, 208, 1, "montagna,   78800,  78000,  2\n"}},
       check},
      {"codes.md", "### `station-beyond-end`", -1, incorporate,
       {{servizio, 66, 1, "stazione,  229000,  6,  600,  0, 0, 0,  0,0,0,  4,1,1,    0,  12,17, 0, MIRELO C.\n"}},
       check},
      {"codes.md", "### `missing-generale`", -1, incorporate, {{servizio, 212, 1, ""}}, check},
  };
}

// The examples of sources.md and of the tutorial.
std::vector<esempio> esempi_guida() {
  // The short pair of sources.md, written over a pair of `new`.
  const std::string fonti = documento("sources.md");
  auto primo_blocco = [&](const std::string& titolo) { return blocchi_di(sezione_di(fonti, titolo)).at(0); };
  const std::vector<modifica> coppia_breve = {
      {"src/A_linea.txt", 1, 1000, primo_blocco("## The line description\n")},
      {"src/A_T-.txt", 1, 1000, primo_blocco("## The service description\n")}};

  const std::string mio_servizio = "mine/VALLE_merci-.txt";
  const std::vector<std::string> mie = {"new", "--line", "VALLE", "--train", "merci", "@mine"};
  const std::vector<modifica> sbagli = {
      {mio_servizio, 17, 0, "stazzione,  2800,  4,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, MEZZO\n"},
      {mio_servizio, 22, 0, "segnale,  4.000,  2, 4, 0,  0, 0,  0,  0,0,0, 0\n"}};
  const std::vector<modifica> corretti = {
      {mio_servizio, 17, 0, "stazione,  2800,  4,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, MEZZO\n"},
      {mio_servizio, 22, 0, "segnale,  4000,  2, 4, 0,  0, 0,  0,  0,0,0, 0\n"}};
  const modifica stazione_lunga{servizio, 43, 1, stazione("15300,  4,  600", "VALMERINO")};
  const std::vector<modifica> segnale_aggiunto = {stazione_lunga, {servizio, 81, 0, segnale("15500")}};
  const std::vector<modifica> segnale_spostato = {stazione_lunga, {servizio, 81, 0, segnale("15650")}};
  const std::vector<std::vector<std::string>> compilato = {{"compile", "@src", "@out"}};
  return {
      {"sources.md", "## The service description\n", -1, {"new", "--line", "A", "--train", "T", "@src"},
       coppia_breve, check},
      {"tutorial.md", "## 1.", -1, mie, {}, {{"check", "@mine"}}},
      {"tutorial.md", "## 2.", -1, mie, sbagli, {{"check", "--caret=always", "@mine"}}},
      {"tutorial.md", "## 3.", 2, mie, corretti, {{"check", "@mine"}}},
      {"tutorial.md", "## 3.", -1, mie, corretti, {{"compile", "@mine", "@out"}}},
      {"tutorial.md", "## 6.", -1, incorporate, segnale_aggiunto, check},
      {"tutorial.md", "## 7.", 2, incorporate, segnale_spostato, check},
      {"tutorial.md", "## 7.", -1, incorporate, segnale_spostato, compilato},
      {"tutorial.md", "## 8.", 1, incorporate, segnale_spostato,
       {compilato[0], {"dump", "@out/QUMA-DORVIA_MIRELO_brezane.dat"}}, "^cell 31[1-4] "},
      {"tutorial.md", "## 8.", -1, incorporate, segnale_spostato,
       {compilato[0], {"dump", "@out/QUMA-DORVIA_MIRELO_brezane.sim"}}, "^entry 3 ", 4},
  };
}

// The example `k` against the program's output, and the lines it changes against the
// text before it.
void verifica(const esempio& k) {
  const std::string testo = documento(k.documento);
  const std::string sezione = sezione_di(testo, k.sezione);
  const std::vector<std::string> blocchi = blocchi_di(sezione);
  ASSERT_FALSE(blocchi.empty()) << k.documento << " has no example under " << k.sezione;
  const std::string& atteso = k.blocco < 0 ? blocchi.back() : blocchi.at(static_cast<size_t>(k.blocco));
  const std::string prodotto = produci(k);
  EXPECT_EQ(prodotto, atteso) << k.documento << ", " << k.sezione;
  const std::string prima = testo.substr(0, testo.find(atteso, testo.find(sezione)));
  for (const modifica& m : k.modifiche) {
    for (const std::string& r : righe_di(m.righe)) {
      if (!r.empty() && m.righe != cartelli()) {
        EXPECT_NE(prima.find("\n" + r + "\n"), std::string::npos) << k.sezione << " does not show the line " << r;
      }
    }
  }
}

}  // namespace

// Each example of a command's output in the docs, produced again by the program: a
// change of wording fails here until the docs follow. The lines changed to produce it
// stand in the docs too, before the example.
TEST(Documenti, EveryExampleIsWhatTheProgramPrints) {
  for (const auto& esempi : {esempi_codici(), esempi_avvisi(), esempi_guida()}) {
    for (const esempio& k : esempi) verifica(k);
  }
}
