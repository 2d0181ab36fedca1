// The layouts of the grid cell, the table entry and the plan element in the compiled
// files, written down once: every member in file order, with its name and its width.
// The writer of the compiled files, the decoders of `dump` and the member lists that
// `dump` prints all walk these tables. From them and the limits (model/limiti.h) follows
// the largest compiled file of each kind.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/cella.h"
#include "model/limiti.h"
#include "model/tracciato.h"
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

// The bytes of the length before an entry's text (a 16-bit signed count).
inline constexpr size_t byte_lunghezza_testo = 2;

// The bytes of an entry besides its text.
inline constexpr size_t byte_voce = [] {
  size_t n = 0;
  for (const campo_voce& f : disposizione_voce) n += f.larghezza != 0 ? f.larghezza : byte_lunghezza_testo;
  return n;
}();
static_assert(byte_voce == 34);

// One element of the plan file: a 2-byte type code, then the value in the width of that
// type: nothing, a 16-bit integer or a double. Metres 0 and 1 are the integer seeds,
// every later metre laid is a double, and every metre not laid is empty.
struct variante_elemento {
  uint16_t tipo;     // variante_vuota, variante_intero or variante_double
  const char* nome;  // what the value is
  size_t larghezza;  // bytes of the value after the type code: 0, 2 (int16_t) or 8 (double)
};

inline constexpr size_t byte_tipo_elemento = 2;
inline constexpr variante_elemento elemento_vuoto = {variante_vuota, "no value", 0};
inline constexpr variante_elemento elemento_intero = {variante_intero, "a 16-bit value", 2};
inline constexpr variante_elemento elemento_double = {variante_double, "a double", 8};
inline constexpr std::array<variante_elemento, 3> disposizione_elemento = {{elemento_vuoto, elemento_intero, elemento_double}};

// The metres laid as integer seeds, 0 and 1; every later laid metre is a double.
inline constexpr int64_t semi_piano = 2;

// The bytes of an element of the variant `v`, its type code included.
constexpr size_t byte_elemento(const variante_elemento& v) { return byte_tipo_elemento + v.larghezza; }
static_assert(byte_elemento(elemento_vuoto) == 2 && byte_elemento(elemento_intero) == 4 &&
              byte_elemento(elemento_double) == 10);

// The variant of the type code `tipo`, or nullptr for a code no plan holds.
constexpr const variante_elemento* variante_del_tipo(uint16_t tipo) {
  for (const variante_elemento& v : disposizione_elemento) {
    if (v.tipo == tipo) return &v;
  }
  return nullptr;
}

// The largest file of each kind that a compilation can write. A route is at most
// lunghezza_massima_percorso long and its grid and plan reach oltre_il_percorso beyond
// its end: the grid has cells 0 to round(that / metri_per_cella), each half of the plan
// metres 0 to that, the seeds as integers and at most a double for every other metre;
// the table has its entries, each with a text of at most testo_massimo bytes.
inline constexpr int64_t metri_massimi_griglia = int64_t{lunghezza_massima_percorso} + oltre_il_percorso;
inline constexpr auto celle_massime = static_cast<uint64_t>((metri_massimi_griglia + metri_per_cella / 2) / metri_per_cella + 1);
inline constexpr uint64_t massimo_byte_griglia = byte_cella * celle_massime;
inline constexpr uint64_t massimo_byte_piano =
    2 * (static_cast<uint64_t>(semi_piano) * byte_elemento(elemento_intero) +
         static_cast<uint64_t>(metri_massimi_griglia + 1 - semi_piano) * byte_elemento(elemento_double));
inline constexpr uint64_t massimo_byte_tabella = uint64_t{voci_tabella} * (byte_voce + testo_massimo);
static_assert(massimo_byte_griglia == 302115);
static_assert(massimo_byte_piano == 20139996);
static_assert(massimo_byte_tabella == 2853687);
