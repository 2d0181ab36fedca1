// Writing routine: lines up to the sentinel, CR LF after each, one new file.
#include "sources/scrivi_righe.h"

#include <string_view>

#include "platform/file_servizi.h"

void scrivi_righe(const std::string& percorso, std::span<const char* const> righe) {
  std::string contenuto;
  for (const char* riga : righe) {
    if (std::string_view(riga) == fine_righe) break;
    contenuto += riga;
    contenuto += "\r\n";
  }
  scrivi_file(percorso, contenuto);
}
