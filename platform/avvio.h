// What each program does first, as the system it runs on needs: the standard streams
// of a desktop program, and the command line as UTF-8 text.
#pragma once

#include <string>
#include <vector>

// On Windows a desktop program starts without standard streams unless they were
// redirected: this joins the console of the program that started it, if any, so that
// its lines reach that console. Elsewhere it does nothing.
void collega_console();

// True when standard error goes where someone reads it: a terminal or a console, a file,
// a pipe. False for a program started from the desktop, whose standard error goes
// nowhere (Windows: none was handed to it; POSIX: closed, /dev/null, the desktop's
// journal), so that a failure is shown in the message box as well. On Windows this is
// what the program was handed, before `collega_console` joined its parent's console:
// that console's prompt is back already, and no one is waiting for the line there.
bool errori_letti();

// The arguments after the program's name, as UTF-8. On Windows they are read from the
// system's UTF-16 command line, not from `argv`, which holds them in the ANSI code page.
std::vector<std::string> argomenti_programma(int argc, char** argv);
