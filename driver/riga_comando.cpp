// The help and version of genera_scenario, and the refusal of any other argument.
#include "driver/riga_comando.h"

#include "model/stati_uscita.h"

namespace {

constexpr const char* aiuto = R"(usage: genera_scenario
       genera_scenario --help | --version

Writes the built-in scenario, the route QUMA-DORVIA_MIRELO and the train service
brezane, into the directory that holds this program: the crew documents
QUMA-DORVIA_MIRELO_brezane_note.txt, _rallentamenti.txt and _scheda_treno.txt, and
the compiled files QUMA-DORVIA_MIRELO_linea.dat, QUMA-DORVIA_MIRELO_brezane.sim and
QUMA-DORVIA_MIRELO_brezane.dat that the simulator loads. It takes no input.

Exit status: 0 compiled with no recorded problem; 1 the compiler recorded a problem
but every file was written; 2 nothing compiled, a header slot already taken, or a
file that could not be written; 64 an argument was given.

To write and compile sources of your own, use scenario_tool.
)";

}  // namespace

std::optional<int> riga_comando_genera(const std::vector<std::string>& argomenti, std::ostream& uscita,
                                       std::ostream& errori) {
  if (argomenti.empty()) return std::nullopt;
  const std::string& a = argomenti[0];
  if (argomenti.size() == 1 && (a == "--help" || a == "-h")) {
    uscita << aiuto;
    return 0;
  }
  if (argomenti.size() == 1 && (a == "--version" || a == "-V")) {
    uscita << "genera_scenario " << SCENARIO_VERSIONE << '\n';
    return 0;
  }
  errori << "genera_scenario: takes no arguments, but was given " << a << " (try --help)\n";
  return uscita_uso;
}
