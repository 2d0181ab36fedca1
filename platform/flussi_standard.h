// The standard streams as the system needs them. On Windows a console shows the text it
// is given in its own code page, and the C runtime reads and writes in text mode (CR LF
// for LF, and input ends at a 0x1A byte): text to a console goes as UTF-16 instead, and
// binary data through standard input and output is switched to binary mode. On POSIX
// nothing needs doing. And whether a stream is a terminal, so that output meant for a
// person (the source line and marker under a diagnostic) is shown there and never in a
// pipe.
#pragma once

enum class flusso_standard { uscita, errori };

bool e_terminale(flusso_standard f);

// Standard output and standard error, each where it is a console, are written as
// wide text, so that every path and name shows right whatever the console's code page;
// to a file or a pipe the bytes go as they are. Called once at start.
void console_in_unicode();

// Standard input is read byte for byte, for binary data given as `-`.
void ingresso_binario();

// Standard output is written byte for byte (LF stays LF), for a file written to `-`.
void uscita_binaria();
