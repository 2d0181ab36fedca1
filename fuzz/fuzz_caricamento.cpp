// Fuzz target: the loader, the code placement passes and the explanation of a recorded
// code, on a pair of source files cut from one input. Everything before the first form
// feed (0x0C) is the line description, everything after it the service description;
// an input without one leaves the service file missing.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string_view>

#include "driver/form1.h"
#include "platform/piattaforma_prova.h"
#include "tool/spiegazione.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t quanti) {
  static PiattaformaProva piattaforma;
  std::string_view ingresso(reinterpret_cast<const char*>(dati), quanti);
  size_t taglio = ingresso.find('\f');
  elimina_se_esiste(piattaforma.percorso("L_linea.txt"));
  elimina_se_esiste(piattaforma.percorso("L_T-.txt"));
  piattaforma.scrivi("L_linea.txt", std::string(ingresso.substr(0, taglio)));
  if (taglio != std::string_view::npos) piattaforma.scrivi("L_T-.txt", std::string(ingresso.substr(taglio + 1)));

  Form1 form(piattaforma);
  form.nome_linea = "L";
  form.nome_treno = "T";
  form.con_tracciato = 1;
  form.memorizza_dati();
  if (!form.griglia.empty()) form.passi_codici();
  if (form.codice_errore != 0) {
    std::ostringstream spiegazione;
    spiega_codice(form, "sorgenti", spiegazione);
  }
  return 0;
}
