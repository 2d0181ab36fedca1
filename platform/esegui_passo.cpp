// Every way out of a step as an exit status and at most one line.
#include "platform/esegui_passo.h"

#include <exception>

#include "model/stati_uscita.h"
#include "platform/errore_file.h"

int esegui_passo(const std::function<void()>& passo, std::ostream& errori, const char* programma,
                 const char* consiglio) {
  try {
    passo();
  } catch (const errore_cartella& e) {
    errori << programma << ": cannot write into the folder " << e.percorso << " (" << e.motivo << ")";
    if (consiglio != nullptr) errori << ": " << consiglio;
    errori << '\n';
    return uscita_fallita;
  } catch (const errore_file& e) {
    errori << programma << ": " << e.percorso << ": " << e.motivo << '\n';
    return uscita_fallita;
  } catch (const std::exception& e) {
    errori << programma << ": " << e.what() << '\n';
    return uscita_fallita;
  }
  return uscita_riuscita;
}
