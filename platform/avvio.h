// What each program does first, as the system it runs on needs: the standard streams
// of a desktop program, and the command line as UTF-8 text.
#pragma once

#include <string>
#include <vector>

// On Windows a desktop program starts without standard streams unless they were
// redirected: this joins the console of the program that started it, if any, so that
// its lines reach that console. Elsewhere it does nothing.
void collega_console();

// The arguments after the program's name, as UTF-8. On Windows they are read from the
// system's UTF-16 command line, not from `argv`, which holds them in the ANSI code page.
std::vector<std::string> argomenti_programma(int argc, char** argv);
