// Command dispatch and help of scenario_tool.
#include "tool/scenario_tool.h"

namespace {

constexpr const char* aiuto = R"(usage:
  scenario_tool sources DIR
  scenario_tool compile [--line NAME] [--train NAME] [--no-plan] SOURCE_DIR OUTPUT_DIR

sources   Writes the built-in scenario's text files into DIR (created when missing):
          the line description, the service description and the three crew
          documents. Nothing is compiled.

compile   Compiles the line description NAME_linea.txt and the service description
          NAME_TRAIN-.txt found in SOURCE_DIR. Both are copied into OUTPUT_DIR
          (created when missing; it must not be SOURCE_DIR), and the copies are
          compiled there as the program does with its own: the loader deletes each
          copy once read, and OUTPUT_DIR receives NAME_linea.dat (the plan, left out
          with --no-plan), NAME_TRAIN.sim (the general table) and NAME_TRAIN.dat (the
          track grid). Nothing in SOURCE_DIR is changed.
          --line NAME    route name (default QUMA-DORVIA_MIRELO)
          --train NAME   train name (default brezane)
          --no-plan      do not compute or write the plan coordinates

          Standard output is one line: codice_errore=N posizione_errore=P.
          Exit status: 0 compiled with no recorded code; 1 a code was recorded and
          the files were written anyway (one line on standard error says which);
          2 nothing compiled (no track grid), a header slot already taken, or a file
          that could not be read or written; 64 a wrong command line.
)";

}  // namespace

int scenario_tool(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori) {
  if (argomenti.size() == 1 && (argomenti[0] == "--help" || argomenti[0] == "-h" || argomenti[0] == "help")) {
    uscita << aiuto;
    return 0;
  }
  if (!argomenti.empty()) {
    std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
    if (argomenti[0] == "sources") return comando_sources(resto, uscita, errori);
    if (argomenti[0] == "compile") return comando_compile(resto, uscita, errori);
  }
  errori << aiuto;
  return uscita_uso;
}
