// Test support for the loader: a Form1 on a temporary directory, with the route name
// "L" and the train name "T", and small source files built from strings.
#pragma once

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "driver/form1.h"
#include "platform/piattaforma_prova.h"

class ProvaCaricamento : public ::testing::Test {
 protected:
  static constexpr const char* file_linea = "L_linea.txt";
  static constexpr const char* file_servizio = "L_T-.txt";
  static constexpr const char* servizio_vuoto = "[generale]\r\n[fine]\r\n";

  // The names are moved in whole: assigning the literals, inlined into every test's
  // constructor, gives GCC 12 a false -Wrestrict warning in optimised builds.
  ProvaCaricamento() {
    form.nome_linea = std::string("L");
    form.nome_treno = std::string("T");
  }

  // A line file: a general part with the route length, then the body rows.
  static std::string linea(const std::string& corpo, int lunghezza = 10000) {
    return "[generale]\r\nlunghezza percorso,    " + std::to_string(lunghezza) + "\r\n[curve]\r\n" + corpo + "[fine]\r\n";
  }

  // A service file with the given rows after "[generale]".
  static std::string servizio(const std::string& righe) { return "[generale]\r\n" + righe + "[fine]\r\n"; }

  // Writes the two source files (an empty text leaves that file out) and runs the loader.
  // Each load starts from a new form, as a run does.
  void carica(const std::string& testo_linea, const std::string& testo_servizio = servizio_vuoto, int32_t j = 1) {
    elimina_se_esiste(p.percorso(file_linea));
    elimina_se_esiste(p.percorso(file_servizio));
    if (!testo_linea.empty()) p.scrivi(file_linea, testo_linea);
    if (!testo_servizio.empty()) p.scrivi(file_servizio, testo_servizio);
    nuovo_form();
    form.con_tracciato = j;
    form.memorizza_dati();
  }

  void nuovo_form() {
    form.~Form1();
    new (&form) Form1(p);
    form.nome_linea = "L";
    form.nome_treno = "T";
  }

  bool resta_linea() const { return p.esiste(file_linea); }
  bool resta_servizio() const { return p.esiste(file_servizio); }
  const cella& c(int k) const { return form.griglia.at(static_cast<size_t>(k)); }
  const voce& v(int i) const { return form.tabella.at(static_cast<size_t>(i)); }

  PiattaformaProva p;
  Form1 form{p};
};
