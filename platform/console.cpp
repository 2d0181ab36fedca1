// Terminal platform: one line for the wait window, one line for the message box.
#include "platform/console.h"

void PiattaformaConsole::mostra_finestra(const std::string& etichetta) {
  if (attesa_ == nullptr) return;
  *attesa_ << etichetta << '\n';
  attesa_->flush();
}

void PiattaformaConsole::mostra_messaggio(const std::string& testo) {
  messaggi_ << testo << '\n';
  messaggi_.flush();
}
