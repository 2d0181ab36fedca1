// Fuzz target: the whole compilation in memory (the loader, the code placement passes,
// the header slots and checksums, every diagnostic with its notes), then the check's
// recovering load, on a pair of source files cut from one input. Everything before
// the first form feed (0x0C) is the line description, everything after it the service
// description; an input without one leaves the service file missing. No file is
// touched.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "compiler/compilatore.h"
#include "loader/sorgenti_scenario.h"
#include "tool/spiegazione.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t quanti) {
  std::string_view ingresso(reinterpret_cast<const char*>(dati), quanti);
  size_t taglio = ingresso.find('\f');
  for (bool recupera : {false, true}) {
    sorgenti_in_memoria sorgenti;
    sorgenti.file["L_linea.txt"] = std::string(ingresso.substr(0, taglio));
    if (taglio != std::string_view::npos) sorgenti.file["L_T-.txt"] = std::string(ingresso.substr(taglio + 1));
    compilatore c;
    c.nome_linea = "L";
    c.nome_treno = "T";
    c.recupera = recupera;
    c.compila(sorgenti, 1);
    std::ostringstream testo;
    scrivi_diagnostiche(c.diagnostiche, "sorgenti", formato_diagnostiche::json, false, testo);
  }
  return 0;
}
