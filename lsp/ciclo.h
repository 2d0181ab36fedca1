// The language server's loop: messages read from `ingresso` on a thread of their own,
// handled one at a time, and the diagnostics of changed files computed once no message
// has come for `attesa_ms` milliseconds (0: as soon as none is waiting), so a burst of
// keystrokes is checked once, on its last text. Ends on `exit` or at the end of the
// input; returns the exit status. With `attendi_lettore` off (standard input, which no
// one can interrupt), a reader still blocked after `exit` is left to the process's end.
#pragma once

#include <istream>
#include <ostream>

#include "lsp/servitore.h"

int servi_lsp(std::istream& ingresso, std::ostream& uscita, opzioni_lsp opzioni, int attesa_ms = 50,
              size_t limite = limite_messaggio, bool attendi_lettore = true);
