// scenario_tool sources DIR: the five built-in text files, written as the program
// writes them, into a directory of the author's choice.
#include <filesystem>

#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "platform/console.h"
#include "platform/percorso.h"
#include "platform/file_servizi.h"
#include "tool/scenario_tool.h"

int comando_sources(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori) {
  (void)uscita;
  if (argomenti.size() != 1 || argomenti[0].starts_with("-")) {
    errori << "usage: scenario_tool sources DIR\n";
    return uscita_uso;
  }
  const std::string& cartella = argomenti[0];
  PiattaformaConsole piattaforma(cartella, nullptr, errori);
  Form1 form(piattaforma);
  form.nome_linea = linea_incorporata;
  form.nome_treno = treno_incorporato;
  return esegui_senza_compilare(
      [&] {
        std::filesystem::create_directories(percorso_di(cartella));
        blocco_cartella blocco(cartella);
        rimuovi_avanzi(cartella, nomi_file_corsa(form.nome_linea, form.nome_treno));
        form.dati_linea();
        form.dati_treno();
        form.dati_note();
        form.dati_rallentamenti();
        form.dati_scheda();
      },
      errori, "scenario_tool");
}
