// Command dispatch of scenario_tool: the first argument names a row of the table of
// subcommands (tool/comandi.h), which gets the rest. `scenario_tool SUBCOMMAND --help`
// prints the row's help, `scenario_tool --help` the summary of every row.
#include "tool/scenario_tool.h"

#include <string_view>
#include <utility>

#include "tool/aiuto.h"
#include "tool/comandi.h"
#include "tool/opzioni.h"
#include "tool/sottocomandi.h"

namespace {

using esecutore = int (*)(const std::vector<std::string>&, std::istream&, std::ostream&, std::ostream&);

// The subcommand that runs each row of the table.
esecutore esecutore_di(std::string_view nome) {
  static constexpr std::pair<std::string_view, esecutore> esecutori[] = {
      {"sources", comando_sources}, {"compile", comando_compile}, {"check", comando_check},
      {"dump", comando_dump},       {"plot", comando_plot},       {"explain", comando_explain},
      {"new", comando_new},         {"view", comando_view},       {"lsp", comando_lsp}};
  for (const auto& [n, e] : esecutori) {
    if (n == nome) return e;
  }
  return nullptr;
}

}  // namespace

std::string versione_scenario_tool() { return std::string("scenario_tool ") + SCENARIO_VERSIONE; }

int scenario_tool(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                  std::ostream& errori) {
  if (argomenti.empty()) return riferisci_sbaglio(errori, "", {"a SUBCOMMAND is needed"});
  const std::string& primo = argomenti[0];
  if (e_aiuto(primo) || primo == "help") {
    uscita << aiuto_generale();
    return 0;
  }
  if (primo == "--version" || primo == "-V") {
    uscita << versione_scenario_tool() << '\n';
    return 0;
  }
  if (const comando* c = trova_comando(primo); c != nullptr && esecutore_di(c->nome) != nullptr) {
    std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
    if (chiede_aiuto(resto)) {
      uscita << aiuto_comando(*c);
      return 0;
    }
    return esecutore_di(c->nome)(resto, ingresso, uscita, errori);
  }
  if (primo.starts_with("-")) return riferisci_sbaglio(errori, "", {"unknown option " + primo});
  return riferisci_sbaglio(errori, "", {"unknown subcommand " + primo});
}
