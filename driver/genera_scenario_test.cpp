// genera_scenario as a process: it writes into its own directory, whatever the current one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/piattaforma_prova.h"

namespace {

struct esito {
  int stato;
  std::string uscita;
  std::string errori;
};

// Copies the executable into `cartella` and runs it there from another directory, with
// no display named unless `ambiente` names one, and with the arguments `argomenti`.
esito esegui_copia(const PiattaformaProva& cartella, const PiattaformaProva& altrove,
                   const std::string& ambiente = "env -u DISPLAY", const std::string& argomenti = "") {
  std::filesystem::copy_file(GENERA_SCENARIO, cartella.percorso("genera_scenario"),
                             std::filesystem::copy_options::overwrite_existing);
  std::string comando = "cd '" + altrove.cartella + "' && " + ambiente + " '" + cartella.percorso("genera_scenario") +
                        "' " + argomenti + " > '" + altrove.percorso("out") + "' 2> '" + altrove.percorso("err") + "'";
  int stato = std::system(comando.c_str());
  esito e{WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, altrove.leggi("out"), altrove.leggi("err")};
  std::filesystem::remove(altrove.percorso("out"));
  std::filesystem::remove(altrove.percorso("err"));
  return e;
}

}  // namespace

TEST(GeneraScenario, WritesEveryFileIntoItsOwnDirectory) {
  PiattaformaProva cartella, altrove;
  esito e = esegui_copia(cartella, altrove);
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, "Attendere\n");
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(cartella.contenuto(),
            (std::vector<std::string>{
                "QUMA-DORVIA_MIRELO_brezane.dat", "QUMA-DORVIA_MIRELO_brezane.sim",
                "QUMA-DORVIA_MIRELO_brezane_note.txt", "QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt",
                "QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt", "QUMA-DORVIA_MIRELO_linea.dat", "genera_scenario"}));
  EXPECT_TRUE(altrove.contenuto().empty());

  // A display named, but no window module beside the program: the terminal all the same.
  e = esegui_copia(cartella, altrove, "DISPLAY=:7");
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, "Attendere\n");

  // A second run replaces every file with the same bytes.
  std::string griglia = cartella.leggi("QUMA-DORVIA_MIRELO_brezane.dat");
  std::string tabella = cartella.leggi("QUMA-DORVIA_MIRELO_brezane.sim");
  cartella.scrivi("QUMA-DORVIA_MIRELO_brezane.sim", std::string(100000, 'x'));
  e = esegui_copia(cartella, altrove);
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_brezane.dat"), griglia);
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_brezane.sim"), tabella);
}

TEST(GeneraScenario, AFileThatCannotBeWrittenEndsTheRunAndNamesIt) {
  PiattaformaProva cartella, altrove;
  std::filesystem::create_directory(cartella.percorso("QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt"));
  esito e = esegui_copia(cartella, altrove);
  EXPECT_EQ(e.stato, 2);
  std::string atteso = "genera_scenario: " + cartella.percorso("QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt") + ": ";
  EXPECT_EQ(e.errori.rfind(atteso, 0), 0u) << e.errori;
  EXPECT_EQ(std::count(e.errori.begin(), e.errori.end(), '\n'), 1);
  // The files of the earlier steps stay; the later steps did not run.
  EXPECT_TRUE(cartella.esiste("QUMA-DORVIA_MIRELO_linea.txt"));
  EXPECT_TRUE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane-.txt"));
  EXPECT_TRUE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane_note.txt"));
  EXPECT_FALSE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt"));
  EXPECT_FALSE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane.dat"));
  EXPECT_EQ(cartella.contenuto().size(), 5u);  // no temporary file left behind
}

namespace {

int shell(const std::string& comando) {
  int stato = std::system(comando.c_str());
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

// The files in `cartella` other than the executable, with their contents.
std::map<std::string, std::string> file_di(const PiattaformaProva& cartella, const std::string& sotto = "") {
  std::map<std::string, std::string> file;
  for (const auto& e : std::filesystem::directory_iterator(cartella.percorso(sotto))) {
    std::string nome = e.path().filename().string();
    if (nome != "genera_scenario" && e.is_regular_file()) file[nome] = cartella.leggi(sotto + nome);
  }
  return file;
}

}  // namespace

// Two runs started together in one directory: the second waits for the first, and both
// leave the files of a lone run. The same for two compilations into one OUTPUT_DIR.
TEST(GeneraScenario, RunsAtOnceInOneDirectoryTakeTurns) {
  PiattaformaProva sola, insieme, altrove;
  ASSERT_EQ(esegui_copia(sola, altrove).stato, 0);
  std::map<std::string, std::string> attesi = file_di(sola);
  esegui_copia(insieme, altrove);
  std::string programma = "env -u DISPLAY '" + insieme.percorso("genera_scenario") + "' >/dev/null";
  std::string strumento = std::string("'") + SCENARIO_TOOL + "' compile '" + sola.cartella + "/src' '" +
                          insieme.cartella + "/out' >/dev/null";
  ASSERT_EQ(shell(std::string("'") + SCENARIO_TOOL + "' sources '" + sola.cartella + "/src'"), 0);
  for (int giro = 0; giro < 5; ++giro) {
    EXPECT_EQ(shell("(" + programma + " & " + programma + " & wait $!; a=$?; wait; exit $(( a | $? )))"), 0);
    EXPECT_EQ(shell("(" + strumento + " & " + strumento + " & wait $!; a=$?; wait; exit $(( a | $? )))"), 0);
  }
  EXPECT_EQ(file_di(insieme), attesi);
  std::map<std::string, std::string> compilati = file_di(insieme, "out/");
  EXPECT_EQ(compilati.size(), 3u);
  for (const auto& [nome, byte] : compilati) EXPECT_EQ(byte, attesi[nome]) << nome;
}

// A limit on the size of files written is an ordinary write failure: one line, status
// 2, no temporary file, and the earlier compiled set whole.
TEST(GeneraScenario, AFileSizeLimitIsAWriteFailure) {
  PiattaformaProva cartella, altrove;
  ASSERT_EQ(esegui_copia(cartella, altrove).stato, 0);
  std::map<std::string, std::string> prima = file_di(cartella);
  int stato = shell("ulimit -f 1000 && env -u DISPLAY '" + cartella.percorso("genera_scenario") + "' >/dev/null 2>'" +
                    altrove.percorso("err") + "'");
  EXPECT_EQ(stato, 2);
  std::string errori = altrove.leggi("err");
  EXPECT_EQ(std::count(errori.begin(), errori.end(), '\n'), 1) << errori;
  EXPECT_NE(errori.find("File too large"), std::string::npos) << errori;
  EXPECT_EQ(file_di(cartella), prima);
}

// A full disk, on a small tmpfs where the test may mount one: compilation into it fails
// on the plan, one line names the file, and the earlier set (compiled without a plan)
// stays whole with no temporary file beside it.
TEST(GeneraScenario, AFullDiskLeavesTheEarlierSetWhole) {
  PiattaformaProva cartella;
  std::string disco = cartella.percorso("disco");
  std::filesystem::create_directory(disco);
  if (shell("mount -t tmpfs -o size=4m tmpfs '" + disco + "' 2>/dev/null") != 0) {
    GTEST_SKIP() << "no tmpfs can be mounted here, so the full disk is not tried";
  }
  struct smonta {
    std::string disco;
    ~smonta() { shell("umount '" + disco + "'"); }
  } smontato{disco};
  std::string strumento = std::string("'") + SCENARIO_TOOL + "' ";
  ASSERT_EQ(shell(strumento + "sources '" + cartella.percorso("src") + "'"), 0);
  std::string compila = strumento + "compile '" + cartella.percorso("src") + "' '" + disco + "/out' >/dev/null";
  EXPECT_EQ(shell(compila + " --no-plan"), 0);
  std::map<std::string, std::string> prima = file_di(cartella, "disco/out/");
  EXPECT_EQ(shell(compila + " 2>'" + cartella.percorso("err") + "'"), 2);
  std::string errori = cartella.leggi("err");
  EXPECT_NE(errori.find("_linea.dat."), std::string::npos) << errori;
  EXPECT_NE(errori.find("No space left on device"), std::string::npos) << errori;
  EXPECT_EQ(file_di(cartella, "disco/out/"), prima);
  EXPECT_EQ(prima.size(), 2u);
}

TEST(GeneraScenario, HelpAndVersionWriteNothingAndAnyOtherArgumentIsRefused) {
  PiattaformaProva cartella, altrove;
  for (const char* versione : {"--version", "-V"}) {
    esito e = esegui_copia(cartella, altrove, "env -u DISPLAY", versione);
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita, std::string("genera_scenario ") + SCENARIO_VERSIONE + "\n");
    EXPECT_EQ(e.errori, "");
  }
  esito e = esegui_copia(cartella, altrove, "DISPLAY=:7", "--help");
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita.rfind("usage: genera_scenario\n", 0), 0u);
  for (const char* altro : {"--bogus", "out", "--help --version", "''"}) {
    e = esegui_copia(cartella, altrove, "env -u DISPLAY", altro);
    EXPECT_EQ(e.stato, 64) << altro;
    EXPECT_EQ(e.uscita, "") << altro;
    EXPECT_EQ(std::count(e.errori.begin(), e.errori.end(), '\n'), 1) << altro;
  }
  // Only the copy of the program is there: nothing was written.
  EXPECT_EQ(cartella.contenuto(), std::vector<std::string>{"genera_scenario"});
  EXPECT_TRUE(altrove.contenuto().empty());
}
