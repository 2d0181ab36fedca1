// The start of a program on a POSIX system: the standard streams are already there, and
// the arguments are taken as they come, UTF-8 on any usual system.
#include "platform/avvio.h"

#include <sys/stat.h>
#include <unistd.h>

void collega_console() {}

bool errori_letti() {
  struct stat s {};
  if (isatty(STDERR_FILENO)) return true;
  return fstat(STDERR_FILENO, &s) == 0 && (S_ISREG(s.st_mode) || S_ISFIFO(s.st_mode));
}

std::vector<std::string> argomenti_programma(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}
