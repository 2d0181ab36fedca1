// The terminal form of the platform: the wait text goes to one stream (or nowhere),
// the message box text to another, and the program's directory is fixed when the
// platform is made.
#pragma once

#include <ostream>
#include <string>

#include "platform/piattaforma.h"

class PiattaformaConsole : public Piattaforma {
 public:
  // `attesa` may be null: then the wait text is not shown at all.
  PiattaformaConsole(std::string cartella, std::ostream* attesa, std::ostream& messaggi)
      : cartella_(std::move(cartella)), attesa_(attesa), messaggi_(messaggi) {}

  void mostra_finestra(const std::string& etichetta) override;
  void mostra_messaggio(const std::string& testo) override;
  std::string cartella_programma() const override { return cartella_; }

 private:
  std::string cartella_;
  std::ostream* attesa_;
  std::ostream& messaggi_;
};
