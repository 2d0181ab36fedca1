// errore: shows an error number in the message box and ends the run once the box is
// closed. Only the two header codes 1250 and 1251 come here; every other code is only
// recorded.
#include "driver/form1.h"
#include "model/nomi_file.h"

void Form1::errore(const std::string& a) {
  piattaforma.mostra_messaggio(" Errore n. " + a);
  throw fine_programma{};
}

std::string Form1::percorso(const std::string& nome) const {
  return percorso_in(piattaforma.cartella_programma(), nome);
}
