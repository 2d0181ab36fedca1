// The modal message box of the window layer: a line of text, one OK button and no
// icon, in a window with the program's title that stands over the program's window.
// The caller runs the event loop and hands each event here; the box is closed by a
// click on OK, by Return, Enter, space or Escape, or by the window manager's close.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "platform/carattere_x11.h"
#include "platform/schermo_x11.h"

struct scatola_messaggio {
  Window finestra = 0;
  Window pulsante = 0;
  carattere_x11 carattere;  // not owned
  std::string testo;
  bool esposta = false;  // painted once, so it can take the keyboard
  bool premuto = false;  // the pointer's first button went down on OK
  bool sopra = false;    // and the pointer is still on it
};

// The face of the box's text and button.
carattere_x11 carattere_scatola(const schermo_x11& s);

// Maps the box over `proprietario` (or in the middle of the screen when it is 0),
// written in `carattere`, which must stay open while the box is.
scatola_messaggio apri_scatola(const schermo_x11& s, Window proprietario, const std::string& testo,
                               const carattere_x11& carattere);

// Handles one event; true when it closes the box. Events of other windows are ignored.
bool evento_scatola(const schermo_x11& s, scatola_messaggio& m, XEvent& e);

// Takes the box off the screen and waits until the server has done so.
void chiudi_scatola(const schermo_x11& s, scatola_messaggio& m);
