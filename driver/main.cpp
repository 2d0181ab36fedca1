// genera_scenario: writes the built-in scenario's text files and compiles it into the
// simulator's files, all in the directory of this executable. It takes no input.
// Started where a display can be opened it shows its window and message box there;
// anywhere else the wait text goes to standard output and the message to standard error.
#include <iostream>
#include <memory>

#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "driver/riga_comando.h"
#include "platform/cartella_programma.h"
#include "platform/console.h"
#include "platform/finestra_caricata.h"

namespace {

std::unique_ptr<Piattaforma> scegli_piattaforma(const std::string& cartella) {
  if (std::unique_ptr<Piattaforma> finestra = carica_piattaforma_x11(cartella)) return finestra;
  return std::make_unique<PiattaformaConsole>(cartella, &std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  if (auto stato = riga_comando_genera({argv + 1, argv + argc}, std::cout, std::cerr)) return *stato;
  std::unique_ptr<Piattaforma> piattaforma = scegli_piattaforma(cartella_eseguibile(argv[0]));
  Form1 form(*piattaforma);
  return esegui_e_riferisci(form, [&] { form.Form_Load(); }, std::cerr, "genera_scenario");
}
