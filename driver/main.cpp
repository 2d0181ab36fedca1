// genera_scenario: writes the built-in scenario's text files and compiles it into the
// simulator's files, all in the directory of this executable. It takes no input.
#include <iostream>

#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "platform/cartella_programma.h"
#include "platform/console.h"

int main(int, char** argv) {
  PiattaformaConsole piattaforma(cartella_eseguibile(argv[0]), &std::cout, std::cerr);
  Form1 form(piattaforma);
  return esegui_e_riferisci(form, [&] { form.Form_Load(); }, std::cerr, "genera_scenario");
}
