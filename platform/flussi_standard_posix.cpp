// The standard streams on POSIX: bytes in, bytes out, and the terminal is UTF-8 already.
#include "platform/flussi_standard.h"

#include <unistd.h>

bool e_terminale(flusso_standard f) { return isatty(f == flusso_standard::uscita ? 1 : 2) != 0; }

void console_in_unicode() {}
void ingresso_binario() {}
void uscita_binaria() {}
