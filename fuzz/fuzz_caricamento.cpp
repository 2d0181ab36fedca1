// Fuzz target: the whole compilation in memory (the loader, the code placement passes,
// the header slots and checksums, every diagnostic with its notes, printed as JSON) on
// a pair of source files cut from one input, with no file touched. Everything before
// the first form feed (0x0C) is the line description, everything after it the service
// description; an input without one leaves the service file missing. An input of odd
// length is loaded as the check loads it after a stop, with recovery.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "compiler/compila.h"
#include "loader/sorgenti_scenario.h"
#include "reference/spiegazione.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t quanti) {
  std::string_view ingresso(reinterpret_cast<const char*>(dati), quanti);
  size_t taglio = ingresso.find('\f');
  sorgenti_in_memoria sorgenti;
  sorgenti.file["L_linea.txt"] = std::string(ingresso.substr(0, taglio));
  if (taglio != std::string_view::npos) sorgenti.file["L_T-.txt"] = std::string(ingresso.substr(taglio + 1));
  esito_compilazione e = compila(sorgenti, {"L", "T", true, quanti % 2 == 1});
  std::ostringstream testo;
  scrivi_diagnostiche(e.diagnostiche, "sorgenti", formato_diagnostiche::json, false, testo);
  return 0;
}
