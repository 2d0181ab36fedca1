// The layouts of the grid cell and the table entry in the compiled files, written down
// once: every member in file order, with its name and its width. The writer of the
// compiled files, the decoders of `dump` and the member lists that `dump` prints all
// walk these tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/cella.h"
#include "model/voce.h"

// One member of a record `R` in the file: 1, 2 or 4 bytes, little-endian, through the
// one pointer of that width; width 0 is an entry's text, a 2-byte length and its bytes.
template <typename R>
struct campo_binario {
  const char* nome;
  size_t larghezza;
  uint8_t R::*byte = nullptr;
  int16_t R::*intero = nullptr;
  int32_t R::*lungo = nullptr;

  int64_t valore(const R& r) const {
    return larghezza == 1 ? r.*byte : larghezza == 2 ? r.*intero : larghezza == 4 ? r.*lungo : 0;
  }
};

using campo_cella = campo_binario<cella>;
using campo_voce = campo_binario<voce>;

inline constexpr std::array<campo_cella, 11> disposizione_cella = {{
    {"tipo", 1, &cella::tipo},
    {"dato1", 2, nullptr, &cella::dato1},
    {"dato2", 2, nullptr, &cella::dato2},
    {"dato3", 2, nullptr, &cella::dato3},
    {"dato4", 2, nullptr, &cella::dato4},
    {"tempo", 1, &cella::tempo},
    {"preavviso", 1, &cella::preavviso},
    {"montagna", 1, &cella::montagna},
    {"velocita", 1, &cella::velocita},
    {"pendenza", 1, &cella::pendenza},
    {"aderenza", 1, &cella::aderenza},
}};

inline constexpr std::array<campo_voce, 16> disposizione_voce = {{
    {"codice", 1, &voce::codice},
    {"valore_a", 4, nullptr, nullptr, &voce::valore_a},
    {"valore_b", 4, nullptr, nullptr, &voce::valore_b},
    {"valore_c", 4, nullptr, nullptr, &voce::valore_c},
    {"marca", 1, &voce::marca},
    {"testo", 0},
    {"intero_a", 2, nullptr, &voce::intero_a},
    {"intero_b", 2, nullptr, &voce::intero_b},
    {"intero_c", 2, nullptr, &voce::intero_c},
    {"intero_d", 2, nullptr, &voce::intero_d},
    {"intero_e", 2, nullptr, &voce::intero_e},
    {"bit_a", 1, &voce::bit_a},
    {"bit_b", 1, &voce::bit_b},
    {"bit_c", 1, &voce::bit_c},
    {"bit_d", 1, &voce::bit_d},
    {"valore_d", 4, nullptr, nullptr, &voce::valore_d},
}};

// The bytes of a cell.
inline constexpr size_t byte_cella = [] {
  size_t n = 0;
  for (const campo_cella& f : disposizione_cella) n += f.larghezza;
  return n;
}();
static_assert(byte_cella == 15);
