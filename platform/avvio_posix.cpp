// The start of a program on a POSIX system: the standard streams are already there, and
// the arguments are taken as they come, UTF-8 on any usual system.
#include "platform/avvio.h"

void collega_console() {}

std::vector<std::string> argomenti_programma(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}
