// Test support for the run's steps: a Form1 on a temporary directory, with the route
// name "L" and the train name "T", and small source files written there.
#pragma once

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "driver/form1.h"
#include "loader/caricamento_prova.h"
#include "platform/piattaforma_prova.h"

class ProvaCorsa : public ::testing::Test, public testi_prova {
 protected:
  ProvaCorsa() { nomi(); }

  // A new form, as a run makes one.
  void nuovo_form() {
    form.~Form1();
    new (&form) Form1(p);
    nomi();
  }

  bool resta_linea() const { return p.esiste(file_linea); }
  bool resta_servizio() const { return p.esiste(file_servizio); }
  const cella& c(int k) const { return esito.scenario.griglia.at(static_cast<size_t>(k)); }
  const voce& v(int i) const { return esito.scenario.tabella.at(static_cast<size_t>(i)); }

  PiattaformaProva p;
  Form1 form{p};
  const esito_compilazione& esito = form.compilatore.esito;

 private:
  // The names are moved in whole: assigning the literals, inlined into every test's
  // constructor, gives GCC 12 a false -Wrestrict warning in optimised builds.
  void nomi() {
    form.nome_linea = std::string("L");
    form.nome_treno = std::string("T");
  }
};
