// Form1: the program's one window object, the run object of `genera_scenario`.
//
// It holds the run's two names and the platform, and is the compiler (`compilatore`,
// compiler/compilatore.h) that compiles the scenario it writes. Each subsystem defines
// its own procedures in its own folder: driver/ the run sequence and `errore`,
// sources/ and documents/ the text writers, compiler/ `memorizza_percorso`. The
// desktop is reached only through the `Piattaforma` handed in, so a run can be made
// headless.
#pragma once

#include <string>

#include "compiler/compilatore.h"
#include "platform/piattaforma.h"

// Thrown by `errore` once its message box is closed: the run ends there.
struct fine_programma {};

class Form1 : public compilatore {
 public:
  explicit Form1(Piattaforma& piattaforma) : piattaforma(piattaforma) {}
  using compilatore::memorizza_dati;

  // ---- Run driver (driver/)
  void Form_Load();
  [[noreturn]] void errore(const std::string& a);
  // The full path of a file of the run: the program's directory, the separator, `nome`.
  std::string percorso(const std::string& nome) const;

  // ---- Text writers (sources/, documents/)
  void dati_linea();
  void dati_treno();
  void dati_note();
  void dati_rallentamenti();
  void dati_scheda();

  // ---- Compiler driver (compiler/): compiles the two source files of the program's
  // directory, deleting them as it reads them, and writes the compiled files there.
  void memorizza_percorso(int32_t& j);
  // The load alone, on the program's directory.
  void memorizza_dati();

  Piattaforma& piattaforma;
};
