// The command-line reader shared by the subcommands of scenario_tool.
//
// A subcommand's options come from the table of subcommands (tool/comandi.h); the
// reader splits the arguments into options and operands. An option with a value takes
// it from the next argument or after "=": `--line NAME` and `--line=NAME` are the same.
// A lone "-" is an operand (standard input or output, where the subcommand allows it),
// and "--" ends the options: every argument after it is an operand. `--help` is
// answered by the dispatcher before the subcommand runs, so it is not an option here.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// An option as the reader takes it (the table declares more of it: opzione_comando).
struct opzione {
  const char* nome;   // "--line"
  const char* breve;  // "-o", or nullptr
  bool con_valore;
};

struct riga_letta {
  std::map<std::string, std::string> valori;  // by long name; the last one given counts
  std::set<std::string> presenti;             // the options without a value that were given
  std::vector<std::string> operandi;

  bool ha(const std::string& nome) const { return presenti.contains(nome); }
};

// Reads `argomenti` against `opzioni`; an empty text means they are right, otherwise it
// names what is wrong ("unknown option --bogus", "--line needs a value").
std::string leggi_riga(const std::vector<std::string>& argomenti, const std::vector<opzione>& opzioni, riga_letta& r);

// True for an argument that asks for help: `--help`, `-h`, and on Windows `/?`.
bool e_aiuto(const std::string& argomento);

// True when the arguments ask for help: such an argument before any "--".
bool chiede_aiuto(const std::vector<std::string>& argomenti);

// What is wrong with a command line; nothing when `motivo` is empty. A wrong value
// (`di_valore`: a bad NAME, --kind or --step) is told in one line that says it all; any
// other fault is followed by a second line that points to the help.
struct sbaglio_riga {
  std::string motivo;
  bool di_valore = false;
  bool di_sistema = false;  // not the command line's fault: a folder that could not be looked at (exit 2)

  bool presente() const { return !motivo.empty(); }
};

// Reports a wrong command line of a subcommand ("" for scenario_tool itself) on
// `errori` and returns the exit status, 64 (2 for a fault of the system).
int riferisci_sbaglio(std::ostream& errori, const std::string& comando, const sbaglio_riga& s);

// A route or train name becomes part of file names, so it must be a plain name: not
// empty, not "." or "..", and without "/", "\" or a NUL byte. Nothing is wrong when it
// is one.
sbaglio_riga controlla_nome(const std::string& opzione, const std::string& nome);

// Both names, each as `controlla_nome`, and the names of the files they make: no two of
// them may be the same (letter case aside, as on Windows), as `--train linea` would make
// the plan and the track grid, and none may be too long for the system once the
// temporary name's suffix is added.
sbaglio_riga controlla_nomi(const std::string& linea, const std::string& treno);

// The values of --line and --train into `linea` and `treno` (left as they are where not
// given), checked as `controlla_nomi`; `dati` tells whether either was given.
sbaglio_riga leggi_nomi(const riga_letta& r, std::string& linea, std::string& treno, bool& dati);

// A directory operand: SOURCE_DIR or OUTPUT_DIR (`etichetta`), which must be a directory;
// a missing one is allowed where `puo_mancare`. A directory that cannot be looked at is
// told with the system's reason.
sbaglio_riga controlla_cartella(const std::string& etichetta, const std::string& cartella, bool puo_mancare);

// The value of --wait: whole seconds, 0 or more.
sbaglio_riga leggi_attesa(const std::string& valore, std::chrono::milliseconds& attesa);

// What a run waiting for the lock of `cartella` says, once, on `errori`.
std::function<void()> di_che_si_attende(std::ostream& errori, const std::string& cartella,
                                        std::chrono::milliseconds attesa);
