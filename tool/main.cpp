// scenario_tool's entry: hands the command line to the dispatcher.
#include <iostream>

#include "platform/avvio.h"
#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  return scenario_tool(argomenti_programma(argc, argv), std::cin, std::cout, std::cerr);
}
