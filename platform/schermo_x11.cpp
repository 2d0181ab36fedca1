// Colours, top-level windows and the wait for the first exposure, on Xlib.
#include "platform/schermo_x11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>
#include <poll.h>

#include <chrono>
#include <cstring>

namespace {

// A pixel of the default colormap for an 8-bit-per-channel colour; `riserva` when the
// colormap has no room for it.
unsigned long colore(Display* d, int numero, int r, int g, int b, unsigned long riserva) {
  XColor c{};
  c.red = static_cast<unsigned short>(r * 257);
  c.green = static_cast<unsigned short>(g * 257);
  c.blue = static_cast<unsigned short>(b * 257);
  c.flags = DoRed | DoGreen | DoBlue;
  if (XAllocColor(d, DefaultColormap(d, numero), &c) == 0) return riserva;
  return c.pixel;
}

void dimensione_fissa(Display* d, Window w, int larghezza, int altezza, int x, int y) {
  XSizeHints* misure = XAllocSizeHints();
  misure->flags = PPosition | PMinSize | PMaxSize;
  misure->x = x;
  misure->y = y;
  misure->min_width = misure->max_width = larghezza;
  misure->min_height = misure->max_height = altezza;
  XSetWMNormalHints(d, w, misure);
  XFree(misure);
}

void titolo(Display* d, Window w) {
  XStoreName(d, w, titolo_programma);
  Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  const auto* testo = reinterpret_cast<const unsigned char*>(titolo_programma);
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace, testo,
                  static_cast<int>(std::strlen(titolo_programma)));
  XClassHint classe{const_cast<char*>(titolo_programma), const_cast<char*>(titolo_programma)};
  XSetClassHint(d, w, &classe);
}

}  // namespace

schermo_x11 prepara_schermo(Display* display) {
  // The render extension is looked up before Xft is: extensions are shut in the reverse
  // order when the display closes, so Xft still has it when it frees its glyphs. The
  // other way round the render library records the closing display anew, and a display
  // opened later at the same address would find that stale record.
  int evento, errore;
  XRenderQueryExtension(display, &evento, &errore);
  schermo_x11 s;
  s.display = display;
  s.numero = DefaultScreen(display);
  unsigned long bianco = WhitePixel(display, s.numero);
  unsigned long nero = BlackPixel(display, s.numero);
  s.sfondo = colore(display, s.numero, 0xF0, 0xF0, 0xF0, bianco);
  s.inchiostro = nero;
  s.luce = bianco;
  s.ombra = colore(display, s.numero, 0xA0, 0xA0, 0xA0, nero);
  s.ombra_scura = colore(display, s.numero, 0x69, 0x69, 0x69, nero);
  s.chiudi_finestra = XInternAtom(display, "WM_DELETE_WINDOW", False);
  return s;
}

Window crea_finestra(const schermo_x11& s, int larghezza, int altezza, int centro_x, int centro_y) {
  Display* d = s.display;
  int x = centro_x - larghezza / 2;
  int y = centro_y - altezza / 2;
  Window w = XCreateSimpleWindow(d, RootWindow(d, s.numero), x, y, static_cast<unsigned>(larghezza),
                                 static_cast<unsigned>(altezza), 1, s.ombra_scura, s.sfondo);
  dimensione_fissa(d, w, larghezza, altezza, x, y);
  titolo(d, w);
  Atom protocolli = s.chiudi_finestra;
  XSetWMProtocols(d, w, &protocolli, 1);
  XSelectInput(d, w, ExposureMask | StructureNotifyMask | KeyPressMask);
  return w;
}

void attendi_esposizione(const schermo_x11& s, Window finestra, int millisecondi) {
  auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(millisecondi);
  XEvent evento;
  while (XCheckTypedWindowEvent(s.display, finestra, Expose, &evento) == False) {
    auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
    if (resta.count() <= 0) return;
    pollfd connessione{ConnectionNumber(s.display), POLLIN, 0};
    poll(&connessione, 1, static_cast<int>(resta.count()));
  }
}
