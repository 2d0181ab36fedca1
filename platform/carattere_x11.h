// The text faces of the window layer and the writing of one line of text in them.
//
// A face comes from the desktop's fonts through Xft whenever it can: when the face
// asked for is not installed, fontconfig gives the nearest one that is. Only when Xft
// has no face at all do the server's core fonts stand in, down to "fixed", which every
// X server has.
#pragma once

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <string>

#include "platform/schermo_x11.h"

struct carattere_x11 {
  XftFont* xft = nullptr;
  XFontStruct* nucleo = nullptr;  // the core font, when Xft gave nothing
};

// A sans-serif face with an em of `pixel` pixels, bold or regular; both members are
// null only when the server has no font either.
carattere_x11 apri_carattere(const schermo_x11& s, int pixel, bool grassetto);

// The same face, a pixel smaller at a time (down to half the size) until `testo` is
// no wider than `larghezza`.
carattere_x11 apri_carattere_entro(const schermo_x11& s, int pixel, bool grassetto, const std::string& testo,
                                   int larghezza);

void chiudi_carattere(const schermo_x11& s, carattere_x11& c);

bool carattere_aperto(const carattere_x11& c);
int larghezza_testo(const schermo_x11& s, const carattere_x11& c, const std::string& testo);
int ascesa(const carattere_x11& c);
int discesa(const carattere_x11& c);

// Writes `testo` in ink on `finestra`, its baseline starting at `x`, `y`; nothing is
// drawn outside `ritaglio`.
void scrivi_testo(const schermo_x11& s, Window finestra, const carattere_x11& c, int x, int y,
                  const std::string& testo, XRectangle ritaglio);
