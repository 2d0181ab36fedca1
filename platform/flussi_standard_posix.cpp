// The standard streams on POSIX: bytes in, bytes out, and the terminal is UTF-8 already.
#include "platform/flussi_standard.h"

void console_in_unicode() {}
void ingresso_binario() {}
void uscita_binaria() {}
