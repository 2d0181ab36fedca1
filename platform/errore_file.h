// The one failure of a file operation: the path that failed and the system's reason.
#pragma once

#include <stdexcept>
#include <string>

struct errore_file : std::runtime_error {
  errore_file(const std::string& percorso, const std::string& motivo)
      : std::runtime_error(percorso + ": " + motivo), percorso(percorso), motivo(motivo) {}
  std::string percorso;
  std::string motivo;
};
