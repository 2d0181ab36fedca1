// scenario_tool: the route author's command. `sources` writes the built-in text files,
// `compile` compiles source files of the author's own into the simulator's files and
// explains a recorded code, `dump` prints compiled files, `plot` draws the route,
// `view` shows it in the browser.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "model/stati_uscita.h"

// Runs the command line `argomenti` (without the program's name); `ingresso` is
// standard input, for `dump -`.
int scenario_tool(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                  std::ostream& errori);

// "scenario_tool 1.0.0": the program's name and the project's version.
std::string versione_scenario_tool();
