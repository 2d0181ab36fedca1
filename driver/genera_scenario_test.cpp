// genera_scenario as a process: it writes into its own directory, whatever the current
// one, whatever the directory's name, and however it was started.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/piattaforma_prova.h"
#include "platform/processo_prova.h"

namespace {

// A Windows program writes its lines to standard output in text mode, ending in CR LF.
#ifdef _WIN32
const std::string eseguibile = "genera_scenario.exe";
const std::string attendere = "Attendere\r\n";
#else
const std::string eseguibile = "genera_scenario";
const std::string attendere = "Attendere\n";
#endif

const std::vector<std::string> sei_file{
    "QUMA-DORVIA_MIRELO_brezane.dat",           "QUMA-DORVIA_MIRELO_brezane.sim",
    "QUMA-DORVIA_MIRELO_brezane_note.txt",      "QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt",
    "QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt", "QUMA-DORVIA_MIRELO_linea.dat"};

// Copies the executable into `cartella` and runs it there from the directory `altrove`,
// with no display named unless `ambiente` names one.
esito_processo esegui_copia(const std::string& cartella, const PiattaformaProva& altrove,
                            std::vector<std::pair<std::string, std::string>> ambiente = {{"DISPLAY", ""}},
                            bool da_path = false) {
  std::string copia = percorso_in(cartella, eseguibile);
  std::filesystem::copy_file(GENERA_SCENARIO, percorso_di(copia), std::filesystem::copy_options::overwrite_existing);
  if (da_path) ambiente.emplace_back("PATH", cartella);
  return esegui_processo({copia, da_path ? "genera_scenario" : "", {}, altrove.cartella, altrove.cartella, ambiente,
                          da_path});
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
