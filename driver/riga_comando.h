// genera_scenario's command line. The program takes no input: it answers `--help`
// (`-h`, and `/?` on Windows) and `--version` (`-V`), takes the folder to write into
// with `--output-dir DIR`, and refuses anything else; help, version and refusal end the
// run before any window is made or any file is written.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The exit status when the arguments (without the program's name) end the run at once:
// 0 after the help or the version on `uscita`, 64 after one line on `errori` for any
// other argument. Nothing when the run goes on; `cartella` is then the folder given
// with --output-dir, or empty for the program's own.
std::optional<int> riga_comando_genera(const std::vector<std::string>& argomenti, std::string& cartella,
                                       std::ostream& uscita, std::ostream& errori);
