// Form1: the program's one window object, the run object of `genera_scenario`.
//
// It holds the run's two names, the platform and the compiler of the scenario it
// writes, and the run's own steps: `Form_Load` (the sequence), the five text writers
// that put the built-in texts into the program's directory, `memorizza_percorso` (the
// compilation and the compiled set) and `errore` (the message box). The desktop is
// reached only through the `Piattaforma` handed in, so a run can be made headless.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/compilatore.h"
#include "platform/piattaforma.h"

// Thrown by `errore` once its message box is closed: the run ends there.
struct fine_programma {};

class Form1 {
 public:
  explicit Form1(Piattaforma& piattaforma) : piattaforma(piattaforma) {}

  void Form_Load();
  [[noreturn]] void errore(const std::string& a);
  // The full path of a file of the run: the program's directory, the separator, `nome`.
  std::string percorso(const std::string& nome) const;

  // The text writers: each writes one built-in text file.
  void dati_linea();
  void dati_treno();
  void dati_note();
  void dati_rallentamenti();
  void dati_scheda();

  // Compiles the two source files of the program's directory, deleting them as it
  // reads them, with the plan when `j` is not 0, and writes the compiled set there.
  void memorizza_percorso(int32_t j);

  Piattaforma& piattaforma;
  std::string nome_linea;
  std::string nome_treno;
  ::compilatore compilatore;
};
