// Diagnostics kept up to a number per kind, so that a source of a million faulty lines
// costs the memory of a few hundred diagnostics: a kind is an error's code or a
// warning's name. The ones beyond the cap are counted in one note of the last one kept
// of their kind, "and N more like this", placed at the last of them. The recorded code
// and position of the list stay those of every diagnostic: where the last error that
// records a code is one beyond the cap, it is added at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/diagnostica.h"

inline constexpr size_t diagnostiche_per_tipo = 100;

class diagnostiche_limitate {
 public:
  void aggiungi(std::vector<diagnostica>& lista, diagnostica d);
  // Whether one more of the kind would be kept, not only counted.
  bool tiene(int32_t codice, const std::string& nome) const;
  // Of a kind that keeps no more: `quante` more counted, as as many `aggiungi` would,
  // the last of them at `luogo`.
  void conta(std::vector<diagnostica>& lista, int32_t codice, const std::string& nome, size_t quante,
             luogo_sorgente luogo);
  // Once every diagnostic is added.
  void chiudi(std::vector<diagnostica>& lista);

 private:
  struct tipo {
    size_t conservate = 0;
    size_t oltre = 0;
    size_t ultima = 0;  // index of the last one kept
  };
  // `quante` more beyond the cap, in the note of the last one kept.
  static void oltre(std::vector<diagnostica>& lista, tipo& t, size_t quante, luogo_sorgente luogo);

  std::map<std::pair<int32_t, std::string>, tipo> tipi_;
  std::optional<diagnostica> registrata_oltre_;  // the last error beyond the cap that records a code
};
