// End of a run: every way out of a step becomes an exit status and one line of report.
#include "driver/esito_esecuzione.h"

#include <exception>

#include "driver/codici_errore.h"
#include "driver/form1.h"
#include "platform/file_servizi.h"

namespace {

// A step that ends normally gives 0; one that ends the run gives its status.
int esegui_passo(const std::function<void()>& passo, std::ostream& errori, const char* programma) {
  try {
    passo();
  } catch (const fine_programma&) {
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
  int stato = esegui_passo(passo, errori, programma);
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
