// End of a run: every way out of a step becomes an exit status and one line of report.
#include "driver/esito_esecuzione.h"

#include <exception>

#include "driver/codici_errore.h"
#include "driver/form1.h"
#include "platform/file_servizi.h"

namespace {

// What genera_scenario advises when its folder cannot be written into.
constexpr const char* consiglio_cartella =
    "copy the program into a folder of your own, or give it --output-dir DIR";

// A step that ends normally gives 0; one that ends the run gives its status. A folder
// that cannot be written into is named with `consiglio`, what to do, when there is one.
int esegui_passo(const std::function<void()>& passo, std::ostream& errori, const char* programma,
                 const char* consiglio = nullptr) {
  try {
    passo();
  } catch (const fine_programma&) {
    return uscita_fallita;
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

}  // namespace

int stato_compilazione(const Form1& form) {
  if (form.griglia.empty()) return uscita_fallita;
  return form.codice_errore == 0 ? uscita_riuscita : uscita_con_codice;
}

int esegui_e_riferisci(Form1& form, const std::function<void()>& passo, std::ostream& errori, const char* programma) {
  int stato = esegui_passo(passo, errori, programma, consiglio_cartella);
  if (stato != uscita_riuscita) return stato;
  stato = stato_compilazione(form);
  if (stato == uscita_riuscita) return stato;
  errori << programma << ": error " << form.codice_errore << ": " << significato_codice(form.codice_errore)
         << ", at " << form.posizione_errore << " m";
  if (form.griglia.empty()) errori << "; no track grid, nothing compiled";
  errori << '\n';
  return stato;
}

int esegui_senza_compilare(const std::function<void()>& passo, std::ostream& errori, const char* programma) {
  return esegui_passo(passo, errori, programma);
}
