#include <unistd.h>

#include "platform/terminale.h"

bool e_terminale(flusso_standard f) { return isatty(f == flusso_standard::uscita ? 1 : 2) != 0; }
