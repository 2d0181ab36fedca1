// Decoder of the track grid file: a whole number of 15-byte cells, nothing else.
#include "decoder/decodifica.h"
#include "decoder/lettore_binario.h"

std::vector<cella> decodifica_griglia(std::string_view byte) {
  if (byte.empty()) throw errore_decodifica(0, "empty file: a grid has at least one cell");
  size_t resto = byte.size() % byte_cella;
  size_t n = byte.size() / byte_cella;
  if (resto != 0) {
    throw errore_decodifica(n * byte_cella, "cell " + std::to_string(n) + " is cut short: " + std::to_string(resto) +
                                                " of " + std::to_string(byte_cella) + " bytes");
  }
  std::vector<cella> griglia(n);
  lettore_binario l(byte);
  for (cella& c : griglia) {
    for (const campo_cella& f : disposizione_cella) l.campo(c, f);
  }
  return griglia;
}
