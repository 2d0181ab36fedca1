// Lines up to the sentinel, CR LF after each.
#include "sources/testo_righe.h"

#include <string_view>

std::string testo_righe(std::span<const char* const> righe) {
  std::string contenuto;
  for (const char* riga : righe) {
    if (std::string_view(riga) == fine_righe) break;
    contenuto += riga;
    contenuto += "\r\n";
  }
  return contenuto;
}
