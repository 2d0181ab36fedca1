// genera_scenario's command line. The program takes no input, so it answers only
// `--help` (`-h`) and `--version` (`-V`) and refuses anything else; in every one of
// these cases it ends before any window is made or any file is written.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The exit status when the arguments (without the program's name) end the run at once:
// 0 after the help or the version on `uscita`, 64 after one line on `errori` for any
// other argument. Nothing when there are none and the run goes on.
std::optional<int> riga_comando_genera(const std::vector<std::string>& argomenti, std::ostream& uscita,
                                       std::ostream& errori);
