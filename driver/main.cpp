// genera_scenario: writes the built-in scenario's text files and compiles it into the
// simulator's files, in the directory of this executable or the one given with
// --output-dir. It takes no other input. Started where a desktop is at hand it shows its
// window and message box there; anywhere else the wait text goes to standard output
// and the message to standard error. A failure goes to standard error, and to the
// message box too when standard error reaches no one (started from the desktop).
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "driver/riga_comando.h"
#include "platform/avvio.h"
#include "platform/cartella_programma.h"
#include "platform/errore_file.h"
#include "platform/flussi_standard.h"
#include "platform/percorso.h"
#include "platform/piattaforma_programma.h"

int main(int argc, char** argv) {
  collega_console();
  console_in_unicode();
  std::string cartella;
  if (auto stato = riga_comando_genera(argomenti_programma(argc, argv), cartella, std::cout, std::cerr)) return *stato;
  std::string cartella_programma = cartella_eseguibile(argv[0]);
  bool scelta = !cartella.empty();
  if (!scelta) cartella = cartella_programma;
  std::unique_ptr<Piattaforma> piattaforma = apri_piattaforma_programma(cartella, cartella_programma);
  Form1 form(*piattaforma);
  std::ostringstream riga;
  int stato = esegui_e_riferisci(
      form,
      [&] {
        std::error_code ec;
        if (scelta) std::filesystem::create_directories(percorso_di(cartella), ec);
        if (ec) throw errore_file(cartella, "cannot be made: " + ec.message());
        form.Form_Load();
      },
      riga, "genera_scenario");
  std::cerr << riga.str() << std::flush;
  std::string testo = riga.str();
  if (!testo.empty() && !errori_letti()) {
    testo = testo.substr(testo.find(": ") + 2);  // the line without the program's name
    testo.pop_back();
    if (testo[0] >= 'a' && testo[0] <= 'z') testo[0] = static_cast<char>(testo[0] - 'a' + 'A');
    piattaforma->mostra_fallimento(testo);
  }
  return stato;
}
