// The help and version of genera_scenario, its output folder, and the refusal of any
// other argument.
#include "driver/riga_comando.h"

#include "model/documentazione.h"
#include "model/stati_uscita.h"

namespace {

constexpr const char* aiuto = R"(usage: genera_scenario [--output-dir DIR]
       genera_scenario --help | --version

Writes the built-in scenario, the route QUMA-DORVIA_MIRELO and the train service
brezane, into the directory that holds this program, or into DIR (created when
missing): the crew documents QUMA-DORVIA_MIRELO_brezane_note.txt,
_rallentamenti.txt and _scheda_treno.txt, and the compiled files
QUMA-DORVIA_MIRELO_linea.dat, QUMA-DORVIA_MIRELO_brezane.sim and
QUMA-DORVIA_MIRELO_brezane.dat that the simulator loads. It takes no other input.
Where the program's directory cannot be written into (installed for every user),
give --output-dir or copy the program into a folder of your own.

Exit status: 0 compiled with no recorded problem; 1 the compiler recorded a problem
but every file was written; 2 nothing compiled, a header slot already taken, or a
file or folder that could not be written; 64 a wrong argument.

To write and compile sources of your own, use scenario_tool. The route author's
reference (docs/README.md) and the layouts of the compiled files
(compiler/FORMATI.md) are in
)" SCENARIO_DOCUMENTAZIONE R"(.
)";

constexpr const char* opzione_cartella = "--output-dir";

// True for the arguments that ask for help.
bool chiede_aiuto(const std::string& a) {
#ifdef _WIN32
  if (a == "/?") return true;
#endif
  return a == "--help" || a == "-h";
}

}  // namespace

std::optional<int> riga_comando_genera(const std::vector<std::string>& argomenti, std::string& cartella,
                                       std::ostream& uscita, std::ostream& errori) {
  cartella.clear();
  if (argomenti.empty()) return std::nullopt;
  const std::string& a = argomenti[0];
  std::string prefisso = std::string(opzione_cartella) + "=";
  size_t letti = 0;  // the arguments that gave the folder
  if (a == opzione_cartella && argomenti.size() >= 2) {
    cartella = argomenti[1];
    letti = 2;
  } else if (a.starts_with(prefisso)) {
    cartella = a.substr(prefisso.size());
    letti = 1;
  }
  if ((a == opzione_cartella && letti == 0) || (letti > 0 && cartella.empty())) {
    errori << "genera_scenario: " << opzione_cartella << " needs a folder (try --help)\n";
    return uscita_uso;
  }
  if (letti > 0 && letti == argomenti.size()) return std::nullopt;
  if (letti > 0) {
    cartella.clear();
    errori << "genera_scenario: one argument too many: " << argomenti[letti] << " (try --help)\n";
    return uscita_uso;
  }
  if (argomenti.size() == 1 && chiede_aiuto(a)) {
    uscita << aiuto;
    return 0;
  }
  if (argomenti.size() == 1 && (a == "--version" || a == "-V")) {
    uscita << "genera_scenario " << SCENARIO_VERSIONE << '\n';
    return 0;
  }
  errori << "genera_scenario: takes no argument but " << opzione_cartella << " DIR, and was given " << a
         << " (try --help)\n";
  return uscita_uso;
}
