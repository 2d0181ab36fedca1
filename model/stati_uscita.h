// The exit statuses of both programs, one definition each.
//
//   0  the scenario compiled with no recorded code (or a command that compiles nothing
//      did its work);
//   1  a code was recorded but the grid exists, so every file was written;
//   2  no grid (nothing compiled), a taken header slot, or a file operation that failed;
//  64  the command line was wrong.
#pragma once

inline constexpr int uscita_riuscita = 0;
inline constexpr int uscita_con_codice = 1;
inline constexpr int uscita_fallita = 2;
inline constexpr int uscita_uso = 64;
