#include "driver/esito_esecuzione.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "driver/corsa_prova.h"

class EsitoEsecuzione : public ProvaCorsa {
 protected:
  int esegui(const std::string& testo_linea, const std::string& testo_servizio = servizio_vuoto) {
    p.scrivi(file_linea, testo_linea);
    p.scrivi(file_servizio, testo_servizio);
    nuovo_form();
    errori.str("");
    int32_t j = 1;
    return esegui_e_riferisci(form, [&] { form.memorizza_percorso(j); }, errori, "prova");
  }
  std::ostringstream errori;
};

TEST_F(EsitoEsecuzione, SuccessSaysNothing) {
  EXPECT_EQ(esegui(linea("")), 0);
  EXPECT_EQ(errori.str(), "");
}

TEST_F(EsitoEsecuzione, ARecordedCodeWithAGridWritesEverythingAndSaysOneLine) {
  EXPECT_EQ(esegui(linea("pendenza,  20000,  1\r\n")), 1);
  EXPECT_EQ(errori.str(), "prova: error 15: a position lies beyond the track grid, at 20000 m\n");
  EXPECT_TRUE(p.esiste("L_T.dat"));
}

TEST_F(EsitoEsecuzione, NoGridIsAFailureWithoutFiles) {
  p.scrivi(file_servizio, servizio_vuoto);
  nuovo_form();
  int32_t j = 1;
  EXPECT_EQ(esegui_e_riferisci(form, [&] { form.memorizza_percorso(j); }, errori, "prova"), 2);
  EXPECT_EQ(errori.str(), "prova: error 101: line description file not found, at 0 m; no track grid, nothing compiled\n");
  EXPECT_FALSE(p.esiste("L_T.dat"));
}

TEST_F(EsitoEsecuzione, TakenHeaderSlotShowsTheMessageOnly) {
  EXPECT_EQ(esegui(linea("indicatori_vmax,  0,  140,  145,  155,  0,  ,  ,  ,  0\r\n")), 2);
  EXPECT_EQ(p.messaggi, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_EQ(errori.str(), "");
}

TEST_F(EsitoEsecuzione, AFailingFileOperationNamesTheFile) {
  std::filesystem::create_directory(p.percorso("L_T.sim"));
  EXPECT_EQ(esegui(linea("")), 2);
  EXPECT_EQ(errori.str().rfind("prova: " + p.percorso("L_T.sim") + ": ", 0), 0u) << errori.str();
  // The compiled files are one set: the plan, written before the failure, is not put in place.
  EXPECT_FALSE(p.esiste("L_linea.dat"));
  EXPECT_FALSE(p.esiste("L_T.dat"));
  for (const std::string& nome : p.contenuto()) EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
}
