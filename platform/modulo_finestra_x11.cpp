// The entry of the window module: the program loads the X11 window from this module
// only when a display is named, so that a run on a terminal never loads the X
// libraries, and the program starts where they are not installed.
#include "platform/finestra_x11.h"

extern "C" Piattaforma* crea_piattaforma_x11(const char* cartella) {
  return apri_piattaforma_x11(cartella).release();
}
