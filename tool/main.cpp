// scenario_tool's entry: hands the command line to the dispatcher.
#include <iostream>

#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> argomenti(argv + 1, argv + argc);
  return scenario_tool(argomenti, std::cin, std::cout, std::cerr);
}
