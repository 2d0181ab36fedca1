// genera_scenario as a process: it writes into its own directory, whatever the current one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

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
