// scenario_tool view --serve: the page of `view` served on the loopback address, with
// the data sent again (Server-Sent Events) every time one of the two source files
// changes, so that the open page draws the new route keeping its zoom, position and
// layers. Built where the HTTP server library (cpp-httplib) is found.
#pragma once

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "loader/esito_caricamento.h"

// One view server, running in threads of its own from its construction to its
// destruction: `view --serve` runs one until Ctrl-C, the language server one per route
// it was asked to show.
class vista_viva {
 public:
  // Listens on 127.0.0.1:`porta` (0 lets the system choose); std::runtime_error when it
  // cannot.
  vista_viva(const std::string& cartella, const richiesta_caricamento& richiesta, int porta);
  ~vista_viva();
  vista_viva(const vista_viva&) = delete;
  vista_viva& operator=(const vista_viva&) = delete;

  // http://127.0.0.1:PORT/
  std::string indirizzo() const;

  struct stato;

 private:
  std::unique_ptr<stato> s_;
};

// Serves until Ctrl-C (or a termination request); `porta` 0 lets the system choose.
// Prints the page's address on `uscita` once it listens, and with `apri` opens it in
// the default browser then. Returns the exit status.
int servi_vista(const std::string& cartella, const richiesta_caricamento& richiesta, int porta, bool apri,
                std::ostream& uscita, std::ostream& errori);
