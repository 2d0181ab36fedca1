// Test support for the loader: small source files built from strings, held in memory,
// loaded with the route name "L" and the train name "T".
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "loader/carica_scenario.h"
#include "loader/sorgenti_scenario.h"

// Small source files of the route "L" and the train "T".
struct testi_prova {
  static constexpr const char* file_linea = "L_linea.txt";
  static constexpr const char* file_servizio = "L_T-.txt";
  static constexpr const char* servizio_vuoto = "[generale]\r\n[fine]\r\n";

  // A line file: a general part with the route length, then the body rows.
  static std::string linea(const std::string& corpo, int lunghezza = 10000) {
    return "[generale]\r\nlunghezza percorso,    " + std::to_string(lunghezza) + "\r\n[curve]\r\n" + corpo + "[fine]\r\n";
  }

  // A service file with the given rows after "[generale]".
  static std::string servizio(const std::string& righe) { return "[generale]\r\n" + righe + "[fine]\r\n"; }

  // The two files in memory, both present whatever their text.
  static sorgenti_in_memoria coppia(const std::string& testo_linea, const std::string& testo_servizio) {
    sorgenti_in_memoria s;
    s.file[file_linea] = testo_linea;
    s.file[file_servizio] = testo_servizio;
    return s;
  }
};

class ProvaCaricamento : public ::testing::Test, public testi_prova {
 protected:
  // The two source files (an empty text leaves that file out).
  static sorgenti_in_memoria sorgenti(const std::string& testo_linea, const std::string& testo_servizio) {
    sorgenti_in_memoria s;
    if (!testo_linea.empty()) s.file[file_linea] = testo_linea;
    if (!testo_servizio.empty()) s.file[file_servizio] = testo_servizio;
    return s;
  }

  // Loads the two source files, from nothing, as a run does; with the plan unless j = 0.
  void carica(const std::string& testo_linea, const std::string& testo_servizio = servizio_vuoto, int32_t j = 1) {
    carica_da(sorgenti(testo_linea, testo_servizio), j);
  }
  // As `carica`, with both files present whatever their text.
  void carica_entrambi(const std::string& testo_linea, const std::string& testo_servizio) {
    carica_da(coppia(testo_linea, testo_servizio), 1);
  }
  void carica_da(sorgenti_in_memoria s, int32_t j) {
    rimasti = std::move(s);
    esito = carica_scenario({"L", "T", j != 0, false}, rimasti);
  }

  bool resta_linea() const { return rimasti.esiste(file_linea); }
  bool resta_servizio() const { return rimasti.esiste(file_servizio); }
  const cella& c(int k) const { return esito.scenario.griglia.at(static_cast<size_t>(k)); }
  const voce& v(int i) const { return esito.scenario.tabella.at(static_cast<size_t>(i)); }

  sorgenti_in_memoria rimasti;  // what the loader left of the source files
  esito_caricamento esito;
};
