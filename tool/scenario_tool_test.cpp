#include "tool/scenario_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/piattaforma_prova.h"
#include "tool/strumento_prova.h"

namespace {

struct esito {
  int stato;
  std::string uscita;
  std::string errori;
};

esito strumento(const std::vector<std::string>& argomenti) {
  std::ostringstream uscita, errori;
  int stato = scenario_tool(argomenti, uscita, errori);
  return {stato, uscita.str(), errori.str()};
}

const std::string linea_piccola = "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\ncurvad3,  1000,  500\r\n[fine]\r\n";
const std::string servizio_piccolo = "[generale]\r\nvelocita,   0,    30\r\n[fine]\r\n";

}  // namespace

TEST(ScenarioTool, WrongCommandLinesAreUsageErrors) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("file", "x");
  for (const std::vector<std::string>& a :
       {std::vector<std::string>{}, {"frobnicate"}, {"compile"}, {"compile", sorgenti.cartella},
        {"compile", "--speed", sorgenti.cartella, uscita.cartella}, {"compile", "--line"},
        {"compile", sorgenti.percorso("file"), uscita.cartella}, {"compile", sorgenti.cartella, sorgenti.percorso("file")},
        {"compile", sorgenti.cartella, sorgenti.cartella + "/."}, {"sources"}, {"sources", "a", "b"}}) {
    esito e = strumento(a);
    EXPECT_EQ(e.stato, uscita_uso) << (a.empty() ? "" : a.back());
    EXPECT_EQ(e.uscita, "");
    EXPECT_NE(e.errori, "");
  }
  EXPECT_EQ(strumento({"--help"}).stato, 0);
  EXPECT_NE(strumento({"--help"}).uscita.find("scenario_tool compile"), std::string::npos);
}

TEST(ScenarioTool, CompileWorksOnCopiesAndLeavesTheSourcesAlone) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("R_linea.txt", linea_piccola);
  sorgenti.scrivi("R_t-.txt", servizio_piccolo);
  std::string destinazione = uscita.percorso("nuova");
  esito e = strumento({"compile", "--line", "R", "--train", "t", sorgenti.cartella, destinazione});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(e.uscita, "codice_errore=0 posizione_errore=0\n");
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(sorgenti.contenuto(), (std::vector<std::string>{"R_linea.txt", "R_t-.txt"}));
  EXPECT_EQ(sorgenti.leggi("R_linea.txt"), linea_piccola);
  std::vector<std::string> scritti;
  for (const auto& f : std::filesystem::directory_iterator(destinazione)) scritti.push_back(f.path().filename());
  std::sort(scritti.begin(), scritti.end());
  EXPECT_EQ(scritti, (std::vector<std::string>{"R_linea.dat", "R_t.dat", "R_t.sim"}));

  e = strumento({"compile", "--no-plan", "--line", "R", "--train", "t", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 0);
  EXPECT_FALSE(uscita.esiste("R_linea.dat"));
  EXPECT_TRUE(uscita.esiste("R_t.dat"));
}

TEST(ScenarioTool, OnlyWhatTheSourceDirectoryHoldsIsCompiled) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("QUMA-DORVIA_MIRELO_linea.txt", linea_piccola);
  uscita.scrivi("QUMA-DORVIA_MIRELO_brezane-.txt", servizio_piccolo);  // stale: removed before compiling
  esito e = strumento({"compile", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.uscita, "codice_errore=25 posizione_errore=0\n");
  EXPECT_NE(e.errori.find(": error: the source files could not be loaded [code 25]"), std::string::npos);
  EXPECT_TRUE(uscita.esiste("QUMA-DORVIA_MIRELO_brezane.dat"));

  PiattaformaProva vuota, altra;
  e = strumento({"compile", vuota.cartella, altra.cartella});
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.uscita, "codice_errore=101 posizione_errore=0\n");
  EXPECT_TRUE(altra.contenuto().empty());
}

TEST(ScenarioTool, TakenHeaderSlotStillPrintsTheLine) {
  PiattaformaProva sorgenti, uscita;
  sorgenti.scrivi("L_linea.txt", "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\n"
                                 "indicatori_vmax,  0,  140,  145,  155,  0,  ,  ,  ,  0\r\n[fine]\r\n");
  sorgenti.scrivi("L_T-.txt", servizio_piccolo);
  esito e = strumento({"compile", "--line", "L", "--train", "T", sorgenti.cartella, uscita.cartella});
  EXPECT_EQ(e.stato, 2);
  EXPECT_EQ(e.uscita, "codice_errore=0 posizione_errore=0\n");
  // The taken slot is a diagnostic at the record of the board in cell 1.
  std::vector<std::string> righe = righe_di(e.errori);
  ASSERT_FALSE(righe.empty());
  EXPECT_EQ(righe[0], sorgenti.percorso("L_linea.txt") + ":4:1: error: the first header slot of the compiled files is taken [code 1250]");
  EXPECT_EQ(righe.back(), "1 errors, 0 warnings");
  EXPECT_TRUE(uscita.contenuto().empty());
}

TEST(ScenarioTool, SourcesWritesTheFiveBuiltInFiles) {
  PiattaformaProva cartella;
  esito e = strumento({"sources", cartella.percorso("nuova")});
  EXPECT_EQ(e.stato, 0);
  std::vector<std::string> scritti;
  for (const auto& f : std::filesystem::directory_iterator(cartella.percorso("nuova"))) {
    scritti.push_back(f.path().filename());
  }
  std::sort(scritti.begin(), scritti.end());
  EXPECT_EQ(scritti, (std::vector<std::string>{"QUMA-DORVIA_MIRELO_brezane-.txt", "QUMA-DORVIA_MIRELO_brezane_note.txt",
                                               "QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt",
                                               "QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt",
                                               "QUMA-DORVIA_MIRELO_linea.txt"}));
}
