// A failure while loading the source files: a field that cannot be read, a value that
// does not fit its variable, an access outside a structure. It is thrown where the
// failure happens and caught by the loader, which records code 25. The text says what
// failed, for whoever explains the code later; where the failure belongs to another
// record than the one being read, or to a position, it says which.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "model/luogo_sorgente.h"

struct guasto_caricamento : std::runtime_error {
  explicit guasto_caricamento(const std::string& motivo) : std::runtime_error(motivo), motivo(motivo) {}
  guasto_caricamento(const std::string& motivo, std::optional<luogo_sorgente> luogo, std::optional<int64_t> posizione,
                     std::optional<luogo_sorgente> campo = std::nullopt)
      : std::runtime_error(motivo),
        motivo(motivo),
        luogo(std::move(luogo)),
        posizione(posizione),
        campo(std::move(campo)) {}

  // The text whole, whatever bytes it holds (what() ends at the first NUL).
  std::string motivo;
  std::optional<luogo_sorgente> luogo;  // the record it belongs to, when not the one being read
  std::optional<int64_t> posizione;     // the position in metres recorded with the code
  // The field that could not be read, its file's name left empty: the code is placed
  // there, and the text says all (which field of which record, what it must be, what
  // stands there).
  std::optional<luogo_sorgente> campo;
};
