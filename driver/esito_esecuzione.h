// How a run of genera_scenario ends, as an exit status (model/stati_uscita.h) and at
// most one line on standard error.
#pragma once

#include <functional>
#include <ostream>

class Form1;

// Runs `passo` on `form` and reports how it ended; `programma` prefixes the line.
int esegui_e_riferisci(Form1& form, const std::function<void()>& passo, std::ostream& errori, const char* programma);
