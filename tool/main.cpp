// scenario_tool's entry: hands the command line to the dispatcher.
#include <iostream>

#include "platform/avvio.h"
#include "platform/flussi_standard.h"
#include "reference/spiegazione.h"
#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  console_in_unicode();
  imposta_terminali(e_terminale(flusso_standard::uscita), e_terminale(flusso_standard::errori));
  return scenario_tool(argomenti_programma(argc, argv), std::cin, std::cout, std::cerr);
}
