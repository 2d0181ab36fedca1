// What the program needs from the desktop it runs on: its one window with the wait
// label, a modal message box with an OK button, and its own directory, the base of
// every file name. The run driver only talks to this interface, so the same run can
// go to a terminal, to a real window, or to a test that records what was shown.
#pragma once

#include <string>

class Piattaforma {
 public:
  virtual ~Piattaforma() = default;

  // Puts the window on the screen with its label showing `etichetta`; the label is
  // painted before this returns.
  virtual void mostra_finestra(const std::string& etichetta) = 0;

  // Shows `testo` in a modal message box with one OK button and returns when it is closed.
  virtual void mostra_messaggio(const std::string& testo) = 0;

  // The directory every file is read from and written to, as text.
  virtual std::string cartella_programma() const = 0;

  // Shows the line of a failure in the message box, for a run whose standard error no
  // one reads (started from the desktop), and returns when the box is closed. The
  // window forms show it; the terminal form shows nothing, its standard error has it.
  virtual void mostra_fallimento(const std::string& /*testo*/) {}
};
