// The subcommands of scenario_tool, one file each (comando_NAME.cpp). Each gets the
// arguments after its name, reads them against its row of the table (tool/comandi.h),
// and returns the exit status. The dispatcher (scenario_tool.cpp) calls them by name.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "model/stati_uscita.h"

// The subcommands; each gets the arguments after its name.
int comando_sources(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                    std::ostream& errori);
int comando_compile(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                    std::ostream& errori);
int comando_check(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                  std::ostream& errori);
int comando_dump(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                 std::ostream& errori);
int comando_explain(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                    std::ostream& errori);
int comando_new(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                std::ostream& errori);
int comando_lsp(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                std::ostream& errori);
int comando_plot(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                 std::ostream& errori);
int comando_view(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                 std::ostream& errori);
