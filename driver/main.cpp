// genera_scenario: writes the built-in scenario's text files and compiles it into the
// simulator's files, all in the directory of this executable. It takes no input.
// Started where a desktop is at hand it shows its window and message box there;
// anywhere else the wait text goes to standard output and the message to standard error.
#include <iostream>
#include <memory>

#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "driver/riga_comando.h"
#include "platform/avvio.h"
#include "platform/cartella_programma.h"
#include "platform/piattaforma_programma.h"

int main(int argc, char** argv) {
  collega_console();
  if (auto stato = riga_comando_genera(argomenti_programma(argc, argv), std::cout, std::cerr)) return *stato;
  std::unique_ptr<Piattaforma> piattaforma = apri_piattaforma_programma(cartella_eseguibile(argv[0]));
  Form1 form(*piattaforma);
  return esegui_e_riferisci(form, [&] { form.Form_Load(); }, std::cerr, "genera_scenario");
}
