// Fuzz target: the track grid decoder, and the dump of what it decodes, as text and as
// JSON lines, every cell; and the plot of it.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "decoder/decodifica.h"
#include "decoder/stampa.h"
#include "drawing/dati_disegno.h"
#include "drawing/grafico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t quanti) {
  std::string_view ingresso(reinterpret_cast<const char*>(dati), quanti);
  try {
    std::vector<cella> griglia = decodifica_griglia(ingresso);
    std::ostringstream uscita;
    stampa_griglia("g.dat", griglia, {false, true, 1000}, uscita);
    stampa_griglia("g.dat", griglia, {true, true, 1000}, uscita);
    // The profile of whatever the grid holds, without plan or table.
    grafico_svg(estrai_disegno(std::nullopt, tabella_generale{}, griglia), "g");
  } catch (const errore_decodifica& e) {
    if (e.offset > quanti) __builtin_trap();  // a fault is reported inside the file or at its end
  }
  return 0;
}
