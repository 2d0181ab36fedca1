// scenario_tool: the route author's command. `sources` writes the built-in text files,
// `compile` compiles source files of the author's own into the simulator's files and
// explains a recorded code, `dump` prints compiled files, `plot` draws the route.
#pragma once

#include <ostream>
#include <string>
#include <vector>

inline constexpr int uscita_uso = 64;  // the command line was wrong

// The help of the check command, a part of the whole help.
extern const char* const aiuto_check;

int scenario_tool(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori);

int comando_sources(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori);
int comando_check(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori);
int comando_compile(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori);
int comando_dump(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori);
int comando_plot(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori);
