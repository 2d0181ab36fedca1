// A failure while loading the source files: a field that cannot be read, a value that
// does not fit its variable, an access outside a structure. It is thrown where the
// failure happens and caught by the loader's one failure handler, which records
// code 25. The text says what failed, for whoever explains the code later.
#pragma once

#include <stdexcept>
#include <string>

struct guasto_caricamento : std::runtime_error {
  explicit guasto_caricamento(const std::string& motivo) : std::runtime_error(motivo) {}
};
