// One problem found in the source files, as the loader or the passes record it where
// it happens: an error that goes with a code, or a warning about something that
// compiles but is almost surely not what the author meant, with a short name. Notes
// name what stands in the way, each at its own place.
//
// The list of diagnostics is the one way an error travels: a compilation's recorded
// code is that of its last error that records one, and its recorded position the last
// position recorded with such an error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/luogo_sorgente.h"

enum class gravita { errore, avviso };

struct nota_diagnostica {
  luogo_sorgente luogo;
  std::string messaggio;

  bool operator==(const nota_diagnostica&) const = default;
};

// A fix an editor can apply: the text of `luogo`'s range replaced by `sostituzione`.
struct correzione {
  luogo_sorgente luogo;
  std::string sostituzione;

  bool operator==(const correzione&) const = default;
};

struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;  // an error's code
  std::string nome;    // a warning's name
  luogo_sorgente luogo;
  std::string messaggio;
  std::vector<nota_diagnostica> note;
  // An error that sets the recorded code (every code but a taken header slot's), and
  // the position in metres recorded with it, where it has one.
  bool registra = false;
  std::optional<int32_t> posizione;
  std::vector<correzione> correzioni;  // fixes of a misspelling, for an editor

  bool operator==(const diagnostica&) const = default;
};

// The recorded code and position of a list: 0 where there is none.
int32_t codice_registrato(const std::vector<diagnostica>& diagnostiche);
int32_t posizione_registrata(const std::vector<diagnostica>& diagnostiche);

// An error that records `codice`: its meaning, followed by ", at P m" where it has a
// position.
diagnostica errore_registrato(int32_t codice, std::optional<int64_t> posizione, luogo_sorgente luogo,
                              std::vector<nota_diagnostica> note);
