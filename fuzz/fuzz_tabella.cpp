// Fuzz target: the general table decoder, and the dump of what it decodes, as text and
// as JSON lines, every entry; and the plot of it.
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
    tabella_decodificata tabella = decodifica_tabella(ingresso);
    std::ostringstream uscita;
    stampa_tabella("t.sim", quanti, tabella, {false, true, 1000}, uscita);
    stampa_tabella("t.sim", quanti, tabella, {true, true, 1000}, uscita);
    // Stations and figures of whatever the table holds, over a short empty grid.
    grafico_svg(estrai_disegno(std::nullopt, tabella.voci, std::vector<cella>(200)), "t");
  } catch (const errore_decodifica& e) {
    if (e.offset > quanti) __builtin_trap();  // a fault is reported inside the file or at its end
  }
  return 0;
}
