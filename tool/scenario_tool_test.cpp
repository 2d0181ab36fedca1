// scenario_tool's command line as a whole: wrong command lines, help and version, and
// what sources and compile write and leave alone.
#include "tool/scenario_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/piattaforma_prova.h"
#include "platform/processo_prova.h"
#include "tool/strumento_prova.h"

namespace {

const std::string linea_piccola =
    "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\ncurvad3,  1000,  500\r\n[fine]\r\n";
const std::string servizio_piccolo = "[generale]\r\nvelocita,   0,    30\r\n[fine]\r\n";

}  // namespace

TEST(ScenarioTool, WrongCommandLinesAreUsageErrors) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("file", "x");
  for (const std::vector<std::string>& a : {std::vector<std::string>{},
                                            {"frobnicate"},
                                            {"compile"},
                                            {"compile", sorgenti.cartella},
                                            {"compile", "--speed", sorgenti.cartella, uscita.cartella},
                                            {"compile", "--line"},
                                            {"compile", "--no-plan=1", sorgenti.cartella, uscita.cartella},
                                            {"compile", sorgenti.percorso("file"), uscita.cartella},
                                            {"compile", sorgenti.cartella, sorgenti.percorso("file")},
                                            {"compile", sorgenti.cartella, sorgenti.cartella + "/."},
                                            {"sources"},
                                            {"sources", "a", "b"},
                                            {"sources", "--forse", "a"},
                                            {"plot", "a"},
                                            {"plot", "-o", "x.svg"},
                                            {"dump", "-"}}) {
    esito_strumento e = esegui_strumento(a);
    EXPECT_EQ(e.stato, uscita_uso) << (a.empty() ? "" : a.back());
    EXPECT_EQ(e.uscita, "");
    EXPECT_GE(righe_di(e.errori).size(), 1u);
    EXPECT_LE(righe_di(e.errori).size(), 2u) << e.errori;
  }
  // An unknown option or subcommand is named, and the help pointed to.
  EXPECT_EQ(esegui_strumento({"--bogus"}).errori,
            "scenario_tool: unknown option --bogus\nTry 'scenario_tool --help'.\n");
  EXPECT_EQ(esegui_strumento({"frobnicate"}).errori,
            "scenario_tool: unknown subcommand frobnicate\nTry 'scenario_tool --help'.\n");
  EXPECT_EQ(esegui_strumento({"compile", "--speed=3", "a", "b"}).errori,
            "scenario_tool compile: unknown option --speed\nTry 'scenario_tool compile --help'.\n");
}

TEST(ScenarioTool, HelpAndVersion) {
  for (const std::vector<std::string>& a : {std::vector<std::string>{"--version"}, {"-V"}}) {
    esito_strumento e = esegui_strumento(a);
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita, std::string("scenario_tool ") + SCENARIO_VERSIONE + "\n");
    EXPECT_EQ(e.errori, "");
  }
  esito_strumento e = esegui_strumento({"--help"});
  EXPECT_EQ(e.stato, 0);
  for (const char* comando : {"sources", "compile", "dump", "plot"}) {
    EXPECT_NE(e.uscita.find(std::string("\n  ") + comando + " "), std::string::npos) << comando;
    // Each subcommand's own help, even after other arguments.
    for (const std::vector<std::string>& a : {std::vector<std::string>{comando, "--help"}, {comando, "x", "-h"}}) {
      esito_strumento aiuto = esegui_strumento(a);
      EXPECT_EQ(aiuto.stato, 0) << comando;
      EXPECT_EQ(aiuto.uscita.rfind(std::string("usage: scenario_tool ") + comando + " ", 0), 0u) << comando;
      EXPECT_EQ(aiuto.errori, "");
    }
  }
  EXPECT_EQ(esegui_strumento({"dump", "--", "--help"}).uscita, "");  // an operand after "--"
}

TEST(ScenarioTool, NamesThatWouldLeaveTheDirectoryAreRefused) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("esc_linea.txt", linea_piccola);
  sorgenti.scrivi("esc_brezane-.txt", servizio_piccolo);
  std::string destinazione = uscita.percorso("out");
  for (const std::string& nome : {std::string("../esc"), std::string("a/b"), std::string("a\\b"), std::string("."),
                                  std::string(".."), std::string(""), std::string("a\0b", 3)}) {
    for (const char* opzione : {"--line", "--train"}) {
      esito_strumento e = esegui_strumento({"compile", opzione, nome, sorgenti.cartella, destinazione});
      EXPECT_EQ(e.stato, uscita_uso) << nome;
      EXPECT_EQ(righe_di(e.errori).size(), 1u) << e.errori;
      e = esegui_strumento(
          {"plot", std::string(opzione) + "=" + nome, uscita.cartella, "-o", uscita.percorso("p.svg")});
      EXPECT_EQ(e.stato, uscita_uso) << nome;
      EXPECT_EQ(righe_di(e.errori).size(), 1u) << e.errori;
    }
  }
  EXPECT_EQ(sorgenti.contenuto(), (std::vector<std::string>{"esc_brezane-.txt", "esc_linea.txt"}));
  EXPECT_EQ(sorgenti.leggi("esc_linea.txt"), linea_piccola);
  EXPECT_TRUE(uscita.contenuto().empty());
  // A plain name is taken, given either way.
  esito_strumento e = esegui_strumento({"compile", "--line=esc", sorgenti.cartella, destinazione});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_TRUE(std::filesystem::exists(destinazione + "/esc_brezane.dat"));
}

TEST(ScenarioTool, CompileWorksOnCopiesAndLeavesTheSourcesAlone) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("R_linea.txt", linea_piccola);
  sorgenti.scrivi("R_t-.txt", servizio_piccolo);
  std::string destinazione = uscita.percorso("nuova");
  esito_strumento e = esegui_strumento({"compile", "--line", "R", "--train", "t", sorgenti.cartella, destinazione});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.uscita, "codice_errore=0 posizione_errore=0\n");
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(sorgenti.contenuto(), (std::vector<std::string>{"R_linea.txt", "R_t-.txt"}));
  EXPECT_EQ(sorgenti.leggi("R_linea.txt"), linea_piccola);
  std::vector<std::string> scritti;
  for (const auto& f : std::filesystem::directory_iterator(percorso_di(destinazione))) {
    scritti.push_back(testo_di(f.path().filename()));
  }
  std::sort(scritti.begin(), scritti.end());
  EXPECT_EQ(scritti, (std::vector<std::string>{"R_linea.dat", "R_t.dat", "R_t.sim"}));

  e = esegui_strumento({"compile", "--no-plan", "--line", "R", "--train", "t", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 0);
  EXPECT_FALSE(uscita.esiste("R_linea.dat"));
  EXPECT_TRUE(uscita.esiste("R_t.dat"));
}

TEST(ScenarioTool, OnlyWhatTheSourceDirectoryHoldsIsCompiled) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("QUMA-DORVIA_MIRELO_linea.txt", linea_piccola);
  uscita.scrivi("QUMA-DORVIA_MIRELO_brezane-.txt", servizio_piccolo);  // stale: removed before compiling
  esito_strumento e = esegui_strumento({"compile", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.uscita, "codice_errore=25 posizione_errore=0\n");
  EXPECT_NE(e.errori.find(": error: the source files could not be loaded [code 25]"), std::string::npos);
  // A recorded code keeps the earlier files: here there were none.
  EXPECT_EQ(righe_di(e.errori).back(), "scenario_tool compile: nothing written: code 25 was recorded, and the "
                                       "earlier files in " + uscita.cartella +
                                           " are kept (--write-on-error writes the incomplete set)");
  EXPECT_FALSE(uscita.esiste("QUMA-DORVIA_MIRELO_brezane.dat"));
  e = esegui_strumento({"compile", "--write-on-error", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 1);
  EXPECT_TRUE(uscita.esiste("QUMA-DORVIA_MIRELO_brezane.dat"));

  PiattaformaProva vuota, altra;
  e = esegui_strumento({"compile", vuota.cartella, altra.cartella});
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.uscita, "codice_errore=101 posizione_errore=0\n");
  EXPECT_TRUE(altra.contenuto().empty());
}

TEST(ScenarioTool, TakenHeaderSlotStillPrintsTheLine) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("L_linea.txt",
                  "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\n"
                  "indicatori_vmax,  0,  140,  145,  155,  0,  ,  ,  ,  0\r\n[fine]\r\n");
  sorgenti.scrivi("L_T-.txt", servizio_piccolo);
  esito_strumento e = esegui_strumento({"compile", "--line", "L", "--train", "T", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.uscita, "codice_errore=0 posizione_errore=0\n");
  // The taken slot is a diagnostic at the record of the board in cell 1.
  std::vector<std::string> righe = righe_di(e.errori);
  ASSERT_FALSE(righe.empty());
  EXPECT_EQ(righe[0], sorgenti.percorso("L_linea.txt") +
                          ":4:1: error: the first header slot of the compiled files is taken [code 1250]");
  EXPECT_EQ(righe.back(), "1 errors, 0 warnings");
  EXPECT_TRUE(uscita.contenuto().empty());
}

TEST(ScenarioTool, SourcesWritesTheFiveBuiltInFiles) {
  PiattaformaProva cartella;
  esito_strumento e = esegui_strumento({"sources", cartella.percorso("nuova")});
  EXPECT_EQ(e.stato, 0);
  std::vector<std::string> scritti;
  for (const auto& f : std::filesystem::directory_iterator(percorso_di(cartella.percorso("nuova")))) {
    scritti.push_back(testo_di(f.path().filename()));
  }
  std::sort(scritti.begin(), scritti.end());
  EXPECT_EQ(scritti,
            (std::vector<std::string>{"QUMA-DORVIA_MIRELO_brezane-.txt", "QUMA-DORVIA_MIRELO_brezane_note.txt",
                                      "QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt",
                                      "QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt", "QUMA-DORVIA_MIRELO_linea.txt"}));
}

TEST(ScenarioTool, SourcesKeepsAnEditedFileUnlessForced) {
  PiattaformaProva cartella;
  ASSERT_EQ(esegui_strumento({"sources", cartella.cartella}).stato, 0);
  const std::string linea = "QUMA-DORVIA_MIRELO_linea.txt", note = "QUMA-DORVIA_MIRELO_brezane_note.txt";
  std::string originale = cartella.leggi(linea);
  std::string modificata = originale + "pendenza,  5000,  3\r\n";
  cartella.scrivi(linea, modificata);
  cartella.scrivi(note, "mine\r\n");
  std::filesystem::remove(cartella.percorso("QUMA-DORVIA_MIRELO_brezane-.txt"));

  esito_strumento e = esegui_strumento({"sources", cartella.cartella});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(righe_di(e.errori).size(), 2u) << e.errori;
  EXPECT_NE(e.errori.find(cartella.percorso(linea) + " differs"), std::string::npos);
  EXPECT_NE(e.errori.find(cartella.percorso(note) + " differs"), std::string::npos);
  EXPECT_EQ(cartella.leggi(linea), modificata);
  EXPECT_FALSE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane-.txt"));  // nothing written at all

  e = esegui_strumento({"sources", "--force", cartella.cartella});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(cartella.leggi(linea), originale);
  EXPECT_TRUE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane-.txt"));
  EXPECT_EQ(esegui_strumento({"sources", cartella.cartella}).stato, 0);  // identical files are no obstacle
  EXPECT_EQ(cartella.contenuto().size(), 5u);
}

// The command line as the system hands it over: directories named outside ASCII reach
// the commands whole (on Windows the narrow argv would hold them in the ANSI code page).
TEST(ScenarioTool, ArgumentsOutsideAsciiReachTheCommands) {
  PiattaformaProva p;
  std::string sorgenti = p.percorso("src-\xC3\xA8"), compilati = p.percorso("out-\xD0\x96");
  esito_processo e = esegui_processo({SCENARIO_TOOL, "", {"sources", sorgenti}, p.cartella, {}});
  EXPECT_EQ(e.stato, 0) << e.errori;
  e = esegui_processo({SCENARIO_TOOL, "", {"compile", sorgenti, compilati}, p.cartella, {}});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_TRUE(esiste_file(percorso_in(compilati, "QUMA-DORVIA_MIRELO_brezane.dat")));
  EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"out-\xD0\x96", "src-\xC3\xA8"}));
}

// A compilation that records a code leaves a good earlier set byte for byte; with
// --write-on-error the incomplete set replaces it, as genera_scenario does.
TEST(ScenarioTool, ARecordedCodeKeepsTheEarlierSet) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("R_linea.txt", linea_piccola);
  sorgenti.scrivi("R_t-.txt", servizio_piccolo);
  ASSERT_EQ(esegui_strumento({"compile", "--line", "R", "--train", "t", sorgenti.cartella, uscita.cartella}).stato, 0);
  std::map<std::string, std::string> buono;
  for (const std::string& nome : uscita.contenuto()) buono[nome] = uscita.leggi(nome);
  // A gradient past the track grid records code 15.
  sorgenti.scrivi("R_linea.txt",
                  "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\npendenza,  20000,  1\r\n[fine]\r\n");
  esito_strumento e = esegui_strumento({"compile", "--line", "R", "--train", "t", sorgenti.cartella, uscita.cartella});
  ASSERT_EQ(e.stato, 1) << e.errori;
  for (const auto& [nome, contenuto] : buono) EXPECT_EQ(uscita.leggi(nome), contenuto) << nome;
  EXPECT_EQ(uscita.contenuto().size(), buono.size());
  e = esegui_strumento(
      {"compile", "--write-on-error", "--line", "R", "--train", "t", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori.find("nothing written"), std::string::npos) << e.errori;
}

// Names whose files would share a name or be too long are refused before anything is
// written, by compile and check alike.
TEST(ScenarioTool, NamesThatCannotMakeTheirFilesAreRefused) {
  PiattaformaProva sorgenti, uscita;
  const std::string lungo(240, 'n');
  const std::vector<std::pair<std::vector<std::string>, std::string>> casi = {
      {{"--train", "linea"}, "--line QUMA-DORVIA_MIRELO and --train linea give two files one name, "
                             "QUMA-DORVIA_MIRELO_linea.dat"},
      {{"--train", "LINEA"}, "--line QUMA-DORVIA_MIRELO and --train LINEA give two files one name, "
                             "QUMA-DORVIA_MIRELO_LINEA.dat"},
      {{"--line", lungo}, "--line and --train make a file name of 266 bytes, " + lungo +
                              "_brezane_rallentamenti.txt; at most 233 are possible"},
  };
  for (const auto& [opzioni, riga] : casi) {
    for (const char* comando : {"compile", "check"}) {
      std::vector<std::string> argomenti{comando};
      argomenti.insert(argomenti.end(), opzioni.begin(), opzioni.end());
      argomenti.push_back(sorgenti.cartella);
      if (std::string(comando) == "compile") argomenti.push_back(uscita.percorso("out"));
      esito_strumento e = esegui_strumento(argomenti);
      EXPECT_EQ(e.stato, 64);
      EXPECT_EQ(e.errori, "scenario_tool " + std::string(comando) + ": " + riga + "\n");
      EXPECT_TRUE(uscita.contenuto().empty());
    }
  }
}

// A journal in OUTPUT_DIR that names a file not of the set is refused: one line names
// the journal, nothing is compiled, and that file and the rest of the folder stay.
TEST(ScenarioTool, AJournalNamingAFileNotOfTheSetIsRefused) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("R_linea.txt", linea_piccola);
  sorgenti.scrivi("R_t-.txt", servizio_piccolo);
  uscita.scrivi("thesis.doc", "my thesis");
  uscita.scrivi("R_t.dat.0123456789abcdef.tmp~", "planted");
  uscita.scrivi(nome_giornale, std::string("genera_scenario journal 1\nthesis.doc") + '\0' +
                                   "thesis.doc.fedcba9876543210.tmp~" + '\0' + '\0' + "R_t.dat" + '\0' +
                                   "R_t.dat.0123456789abcdef.tmp~" + '\0' + '\0' + "end\n");
  std::vector<std::string> prima = uscita.contenuto();
  esito_strumento e = esegui_strumento({"compile", "--line", "R", "--train", "t", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.uscita, "");
  EXPECT_EQ(e.errori, "scenario_tool: " + uscita.percorso(nome_giornale) +
                          ": not a journal of this program (thesis.doc is no file of this set); nothing was renamed "
                          "or removed, and runs stop here until it is removed\n");
  EXPECT_EQ(uscita.leggi("thesis.doc"), "my thesis");
  EXPECT_EQ(uscita.contenuto(), prima);
}
