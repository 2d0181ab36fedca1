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

// A folder that no file can be written into (read-only, not one's own): `percorso` is
// the folder itself, not the file that was tried there.
struct errore_cartella : errore_file {
  using errore_file::errore_file;
};
