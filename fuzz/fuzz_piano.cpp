// Fuzz target: the plan decoder, and the dump of what it decodes, as text and as JSON
// lines, every metre; and the plot of it.
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
    piano_decodificato piano = decodifica_piano(ingresso);
    std::ostringstream uscita;
    stampa_piano("p_linea.dat", quanti, piano, {false, true, 1}, uscita);
    stampa_piano("p_linea.dat", quanti, piano, {true, true, 1}, uscita);
    // The plan of whatever the file holds, over an empty grid as long as the plan.
    grafico_svg(estrai_disegno(piano, tabella_generale{}, std::vector<cella>(piano.x.size() / 50 + 1)), "p");
  } catch (const errore_decodifica& e) {
    if (e.offset > quanti) __builtin_trap();  // a fault is reported inside the file or at its end
  }
  return 0;
}
