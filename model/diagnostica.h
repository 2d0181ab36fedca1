// One problem found in the source files, as the loader or the passes record it where
// it happens: an error that goes with a recorded code, or a warning about something
// that compiles but is almost surely not what the author meant, with a short name.
// Notes name what stands in the way, each at its own place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/luogo_sorgente.h"

enum class gravita { errore, avviso };

struct nota_diagnostica {
  luogo_sorgente luogo;
  std::string messaggio;

  bool operator==(const nota_diagnostica&) const = default;
};

struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;  // an error's code
  std::string nome;    // a warning's name
  luogo_sorgente luogo;
  std::string messaggio;
  std::vector<nota_diagnostica> note;

  bool operator==(const diagnostica&) const = default;
};
