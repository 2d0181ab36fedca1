// End of a run: every way out of a step becomes an exit status and one line of report.
#include "driver/esito_esecuzione.h"

#include "driver/form1.h"
#include "model/codici_errore.h"
#include "model/stati_uscita.h"
#include "platform/esegui_passo.h"

namespace {

// What genera_scenario advises when its folder cannot be written into.
constexpr const char* consiglio_cartella = "copy the program into a folder of your own, or give it --output-dir DIR";

}  // namespace

int esegui_e_riferisci(Form1& form, const std::function<void()>& passo, std::ostream& errori, const char* programma) {
  bool box_chiuso = false;
  int stato = esegui_passo(
      [&] {
        try {
          passo();
        } catch (const fine_programma&) {
          box_chiuso = true;
        }
      },
      errori, programma, consiglio_cartella);
  if (box_chiuso) return uscita_fallita;
  if (stato != uscita_riuscita) return stato;
  const esito_compilazione& e = form.compilatore.esito;
  stato = stato_compilazione(e);
  if (stato == uscita_riuscita) return stato;
  errori << programma << ": error " << e.codice_errore() << ": " << significato_codice(e.codice_errore()) << ", at "
         << e.posizione_errore() << " m";
  if (!e.ha_griglia()) errori << "; no track grid, nothing compiled";
  errori << '\n';
  return stato;
}
