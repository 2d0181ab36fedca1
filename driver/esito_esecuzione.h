// How a run ends, as an exit status and at most one line on standard error.
//
//   0  the scenario compiled with no recorded code;
//   1  a code was recorded but the grid exists, so every file was written;
//   2  no grid (nothing compiled), a taken header slot (the message box said so),
//      or a file operation that failed (the line names the file and the reason).
#pragma once

#include <functional>
#include <ostream>

class Form1;

inline constexpr int uscita_riuscita = 0;
inline constexpr int uscita_con_codice = 1;
inline constexpr int uscita_fallita = 2;

// Runs `passo` on `form` and reports how it ended; `programma` prefixes the line.
int esegui_e_riferisci(Form1& form, const std::function<void()>& passo, std::ostream& errori, const char* programma);

// The status of a compilation that ran to its end: 0 with no recorded code, 1 with a
// code and a grid (every file written), 2 with no grid (nothing compiled).
int stato_compilazione(const Form1& form);

// Runs `passo` and reports only a failed file operation; for runs that compile nothing,
// or whose recorded code the caller reports itself.
int esegui_senza_compilare(const std::function<void()>& passo, std::ostream& errori, const char* programma);
