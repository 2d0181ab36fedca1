// genera_scenario as a process: it writes into its own directory, whatever the current
// one, whatever the directory's name, and however it was started.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/piattaforma_prova.h"
#include "platform/processo_prova.h"

namespace {

// A Windows program writes its lines to standard output in text mode, ending in CR LF.
#ifdef _WIN32
const std::string eseguibile = "genera_scenario.exe";
const std::string a_capo = "\r\n";
#else
const std::string eseguibile = "genera_scenario";
const std::string a_capo = "\n";
#endif
const std::string attendere = "Attendere" + a_capo;

const std::vector<std::string> sei_file{
    "QUMA-DORVIA_MIRELO_brezane.dat",           "QUMA-DORVIA_MIRELO_brezane.sim",
    "QUMA-DORVIA_MIRELO_brezane_note.txt",      "QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt",
    "QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt", "QUMA-DORVIA_MIRELO_linea.dat"};

// Copies the executable into `cartella` and runs it there from the directory `altrove`,
// with no display named unless `ambiente` names one.
esito_processo esegui_copia(const std::string& cartella, const PiattaformaProva& altrove,
                            std::vector<std::pair<std::string, std::string>> ambiente = {{"DISPLAY", ""}},
                            bool da_path = false, const std::vector<std::string>& argomenti = {}) {
  std::string copia = percorso_in(cartella, eseguibile);
  std::filesystem::copy_file(GENERA_SCENARIO, percorso_di(copia), std::filesystem::copy_options::overwrite_existing);
  if (da_path) ambiente.emplace_back("PATH", cartella);
  return esegui_processo({copia, da_path ? "genera_scenario" : "", argomenti, altrove.cartella, ambiente, da_path});
}

std::vector<std::string> con_eseguibile(std::vector<std::string> nomi) {
  nomi.push_back(eseguibile);
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

}  // namespace

TEST(GeneraScenario, WritesEveryFileIntoItsOwnDirectory) {
  PiattaformaProva cartella, altrove;
  esito_processo e = esegui_copia(cartella.cartella, altrove);
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, attendere);
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(cartella.contenuto(), con_eseguibile(sei_file));
  EXPECT_TRUE(altrove.contenuto().empty());

#ifndef _WIN32
  // A display named, but no window module beside the program: the terminal all the same.
  e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ":7"}});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita, attendere);
#endif

  // A second run replaces every file with the same bytes.
  std::string griglia = cartella.leggi("QUMA-DORVIA_MIRELO_brezane.dat");
  std::string tabella = cartella.leggi("QUMA-DORVIA_MIRELO_brezane.sim");
  cartella.scrivi("QUMA-DORVIA_MIRELO_brezane.sim", std::string(100000, 'x'));
  e = esegui_copia(cartella.cartella, altrove);
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_brezane.dat"), griglia);
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_brezane.sim"), tabella);
}

// Started by name through PATH, its argv[0] holds no directory: the files still go
// beside the executable, not into the current directory.
TEST(GeneraScenario, StartedThroughPathWritesBesideTheExecutable) {
  PiattaformaProva cartella, altrove;
  esito_processo e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ""}}, true);
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(cartella.contenuto(), con_eseguibile(sei_file));
  EXPECT_TRUE(altrove.contenuto().empty());
}

// A directory named outside ASCII: every file is written there, byte for byte as in a
// directory with a plain name.
TEST(GeneraScenario, DirectoriesNamedOutsideAsciiGetTheSameFiles) {
  PiattaformaProva radice, altrove;
  std::vector<std::string> cartelle{radice.percorso("run"), radice.percorso("run-\xC3\xA8"),
                                    radice.percorso("run-\xD0\x96")};
  for (const std::string& c : cartelle) {
    std::filesystem::create_directory(percorso_di(c));
    esito_processo e = esegui_copia(c, altrove);
    EXPECT_EQ(e.stato, 0) << c << ": " << e.errori;
  }
  for (const std::string& nome : sei_file) {
    std::string atteso = leggi_file(percorso_in(cartelle[0], nome));
    EXPECT_EQ(leggi_file(percorso_in(cartelle[1], nome)), atteso) << nome;
    EXPECT_EQ(leggi_file(percorso_in(cartelle[2], nome)), atteso) << nome;
  }
}

TEST(GeneraScenario, AFileThatCannotBeWrittenEndsTheRunAndNamesIt) {
  PiattaformaProva cartella, altrove;
  std::filesystem::create_directory(percorso_di(cartella.percorso("QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt")));
  esito_processo e = esegui_copia(cartella.cartella, altrove);
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

// --output-dir: every file goes into that folder, made when missing, and none beside the
// program. A folder that cannot be written into is named, with what to do, before
// anything is written.
TEST(GeneraScenario, WritesIntoTheOutputDirAndNamesAFolderItCannotWrite) {
  PiattaformaProva cartella, altrove;
  std::string uscita = altrove.percorso("run \xC3\xA8\xD0\x96");
  esito_processo e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ""}}, false, {"--output-dir", uscita});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(cartella.contenuto(), std::vector<std::string>{eseguibile});
  std::vector<std::string> scritti;
  for (const auto& f : std::filesystem::directory_iterator(percorso_di(uscita))) scritti.push_back(testo_di(f.path().filename()));
  std::sort(scritti.begin(), scritti.end());
  EXPECT_EQ(scritti, sei_file);
#ifndef _WIN32
  if (geteuid() == 0) GTEST_SKIP() << "run as root, for whom every folder can be written into";
  std::filesystem::permissions(percorso_di(cartella.cartella), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  e = esegui_copia(cartella.cartella, altrove);
  std::filesystem::permissions(percorso_di(cartella.cartella), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.errori, "genera_scenario: cannot write into the folder " + cartella.cartella +
                          " (Permission denied): copy the program into a folder of your own, or give it "
                          "--output-dir DIR\n");
  EXPECT_EQ(cartella.contenuto(), std::vector<std::string>{eseguibile});
#endif
}

// Runs started together, a limit on the size of files and a full disk are set up
// through a POSIX shell.
#ifndef _WIN32
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
  ASSERT_EQ(esegui_copia(sola.cartella, altrove).stato, 0);
  std::map<std::string, std::string> attesi = file_di(sola);
  esegui_copia(insieme.cartella, altrove);
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
  ASSERT_EQ(esegui_copia(cartella.cartella, altrove).stato, 0);
  std::map<std::string, std::string> prima = file_di(cartella);
  int stato = shell("ulimit -f 1000 && env -u DISPLAY '" + cartella.percorso("genera_scenario") + "' >/dev/null 2>'" +
                    altrove.percorso("err") + "'");
  EXPECT_EQ(stato, 2);
  std::string errori = altrove.leggi("err");
  EXPECT_EQ(std::count(errori.begin(), errori.end(), '\n'), 1) << errori;
  EXPECT_NE(errori.find("File too large"), std::string::npos) << errori;
  EXPECT_EQ(file_di(cartella), prima);
}

// A FIFO under the name of a file the run writes, a crew document or a compiled file, is
// refused as not a regular file, never waited on: one line names it, status 2, and the
// folder's lock is free for the next run, which says the same at once. Gone, the run
// succeeds.
TEST(GeneraScenario, AFifoUnderAFilesNameIsRefusedNotWaitedOn) {
  for (const char* nome : {"QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt", "QUMA-DORVIA_MIRELO_linea.dat"}) {
    PiattaformaProva cartella, altrove;
    std::filesystem::copy_file(GENERA_SCENARIO, cartella.percorso("genera_scenario"));
    ASSERT_EQ(mkfifo(cartella.percorso(nome).c_str(), 0600), 0);
    std::string programma = "timeout 20 env -u DISPLAY '" + cartella.percorso("genera_scenario") + "' >/dev/null";
    for (int giro = 0; giro < 2; ++giro) {
      EXPECT_EQ(shell(programma + " 2>'" + altrove.percorso("err") + "'"), 2) << nome;
      EXPECT_EQ(altrove.leggi("err"), "genera_scenario: " + cartella.percorso(nome) + ": not a regular file\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(cartella.percorso(nome)));
    std::filesystem::remove(cartella.percorso(nome));
    EXPECT_EQ(shell(programma), 0) << nome;
  }
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
#endif

#ifdef _WIN32
// The simulator, running, holds a compiled file open, and Windows refuses to replace it:
// the run waits a little, then names the file and ends; the earlier set is left whole.
TEST(GeneraScenario, ATargetHeldOpenByAnotherProgramLeavesTheEarlierSetWhole) {
  PiattaformaProva cartella, altrove;
  ASSERT_EQ(esegui_copia(cartella.cartella, altrove).stato, 0);
  cartella.scrivi("QUMA-DORVIA_MIRELO_linea.dat", "earlier plan");
  cartella.scrivi("QUMA-DORVIA_MIRELO_brezane.sim", "earlier table");
  std::string griglia = cartella.percorso("QUMA-DORVIA_MIRELO_brezane.dat");
  HANDLE aperto = CreateFileW(in_utf16(griglia).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(aperto, INVALID_HANDLE_VALUE);
  esito_processo e = esegui_copia(cartella.cartella, altrove);
  CloseHandle(aperto);
  EXPECT_EQ(e.stato, 2);
  // The final file is named; what was being done to it may follow as a detail.
  EXPECT_EQ(e.errori.rfind("genera_scenario: " + griglia + ": another program holds the file open", 0), 0u) << e.errori;
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_linea.dat"), "earlier plan");
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_brezane.sim"), "earlier table");
  EXPECT_EQ(cartella.contenuto(), con_eseguibile(sei_file)) << "no temporary file left behind";
}
#endif

TEST(GeneraScenario, HelpAndVersionWriteNothingAndAnyOtherArgumentIsRefused) {
  PiattaformaProva cartella, altrove;
  for (const char* versione : {"--version", "-V"}) {
    esito_processo e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ""}}, false, {versione});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita, std::string("genera_scenario ") + SCENARIO_VERSIONE + a_capo);
    EXPECT_EQ(e.errori, "");
  }
#ifdef _WIN32
  esito_processo e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ""}}, false, {"--help"});
#else
  esito_processo e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ":7"}}, false, {"--help"});
#endif
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.uscita.rfind("usage: genera_scenario [--output-dir DIR]" + a_capo, 0), 0u);
  for (const std::vector<std::string>& altro : {std::vector<std::string>{"--bogus"},
                                               {"out"},
                                               {"--help", "--version"},
                                               {""},
                                               {"--output-dir"},
                                               {"--output-dir="},
                                               {"--output-dir", "a", "b"}}) {
    e = esegui_copia(cartella.cartella, altrove, {{"DISPLAY", ""}}, false, altro);
    EXPECT_EQ(e.stato, 64) << altro[0];
    EXPECT_EQ(e.uscita, "") << altro[0];
    EXPECT_EQ(std::count(e.errori.begin(), e.errori.end(), '\n'), 1) << altro[0];
  }
  // Only the copy of the program is there: nothing was written.
  EXPECT_EQ(cartella.contenuto(), std::vector<std::string>{eseguibile});
  EXPECT_TRUE(altrove.contenuto().empty());
}
