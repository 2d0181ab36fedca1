// The members of a grid cell and of a table entry by name, in the order the compiled
// files hold them, so that a dump can print every one of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/cella.h"
#include "model/disposizione.h"
#include "model/voce.h"

struct membro {
  const char* nome;
  int64_t valore;
  size_t larghezza;  // bytes in the file
};

std::array<membro, 11> membri_cella(const cella& c);

// The fifteen numeric members of an entry; its text, a 2-byte length and the bytes,
// stands between the first five (codice to marca) and the rest.
std::array<membro, 15> membri_voce(const voce& v);
inline constexpr size_t membri_prima_del_testo = 5;
static_assert(disposizione_voce[membri_prima_del_testo].larghezza == 0, "the text follows the first five members");
