// The texts made from the table of subcommands (tool/comandi.h): a subcommand's usage
// lines and its help, and the general help.
#pragma once

#include <string>
#include <vector>

#include "tool/comandi.h"

// The usage lines of `c`, each "scenario_tool NAME ...", the options' values filled in.
std::vector<std::string> righe_uso(const comando& c);

// What `scenario_tool NAME --help` prints: the usage lines, the description, the list
// of options and what follows it.
std::string aiuto_comando(const comando& c);

// What `scenario_tool --help` prints: every subcommand in one line, and where to read more.
std::string aiuto_generale();
