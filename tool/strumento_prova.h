// Test support for scenario_tool: runs the command in-process and collects what it
// says, and keeps the built-in scenario written out and compiled once for all the tests
// of a suite (SOURCE in cartella()/src, compiled files in cartella()/out).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/piattaforma_prova.h"
#include "tool/scenario_tool.h"

struct esito_strumento {
  int stato;
  std::string uscita;
  std::string errori;
};

// `ingresso` is what standard input holds.
inline esito_strumento esegui_strumento(const std::vector<std::string>& argomenti, const std::string& ingresso = "") {
  std::istringstream dentro(ingresso);
  std::ostringstream uscita, errori;
  int stato = scenario_tool(argomenti, dentro, uscita, errori);
  return {stato, uscita.str(), errori.str()};
}

// The lines of a text, without their line ends.
inline std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::istringstream in(testo);
  for (std::string r; std::getline(in, r);) righe.push_back(r);
  return righe;
}

class ScenarioIncorporato : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cartella_ = std::make_unique<PiattaformaProva>();
    ASSERT_EQ(esegui_strumento({"sources", sorgenti()}).stato, 0);
    esito_strumento e = esegui_strumento({"compile", sorgenti(), compilati()});
    ASSERT_EQ(e.stato, 0) << e.errori;
  }
  static void TearDownTestSuite() { cartella_.reset(); }

  static std::string sorgenti() { return cartella_->percorso("src"); }
  static std::string compilati() { return cartella_->percorso("out"); }
  static std::string compilato(const std::string& nome) { return percorso_in(compilati(), "QUMA-DORVIA_MIRELO" + nome); }

 private:
  static inline std::unique_ptr<PiattaformaProva> cartella_;
};
