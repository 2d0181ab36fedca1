// scenario_tool view --serve: the page of `view` served on the loopback address, with
// the data sent again (Server-Sent Events) every time one of the two source files
// changes, so that the open page draws the new route keeping its zoom, position and
// layers. Built where the HTTP server library (cpp-httplib) is found.
#pragma once

#include <ostream>
#include <string>

#include "loader/caricatore.h"

// Serves until Ctrl-C (or a termination request); `porta` 0 lets the system choose.
// Prints the page's address on `uscita` once it listens. Returns the exit status.
int servi_vista(const std::string& cartella, const richiesta_caricamento& richiesta, int porta,
                std::ostream& uscita, std::ostream& errori);
