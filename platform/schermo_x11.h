// The X display as the window layer uses it: the open connection, the colours of the
// classic desktop look, and the making of a fixed-size top-level window with the
// program's title that the window manager closes by a message instead of a kill.
#pragma once

#include <X11/Xlib.h>

#include <string>

// The title of every window of the program: its own name, as no other title is given.
inline constexpr const char* titolo_programma = "genera_scenario";

struct schermo_x11 {
  Display* display = nullptr;
  int numero = 0;              // the default screen
  unsigned long sfondo = 0;    // face of windows and buttons
  unsigned long inchiostro = 0;
  unsigned long luce = 0;      // the lit edges of a raised button
  unsigned long ombra = 0;     // its shaded edges
  unsigned long ombra_scura = 0;
  Atom chiudi_finestra = 0;    // WM_DELETE_WINDOW
};

// The colours and atoms of an open display.
schermo_x11 prepara_schermo(Display* display);

// A top-level window of `larghezza` x `altezza` client pixels that cannot be resized,
// centred on `centro_x`, `centro_y` of the root window; not mapped yet. A one-pixel
// dark edge sets it off where no window manager frames it.
Window crea_finestra(const schermo_x11& s, int larghezza, int altezza, int centro_x, int centro_y);

// Waits until `finestra` gets its first Expose, or until `millisecondi` have passed
// (a window manager may keep a window hidden). That Expose is taken off the queue,
// so the caller paints next; other events stay queued.
void attendi_esposizione(const schermo_x11& s, Window finestra, int millisecondi);
