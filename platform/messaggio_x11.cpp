// The message box on Xlib: layout, painting of the text and of the OK button in the
// classic raised look, and the events that press and close it.
#include "platform/messaggio_x11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int pixel_testo = 12;
constexpr int margine = 12;
constexpr int spazio_pulsante = 16;   // between the text and the button
constexpr int larghezza_pulsante = 75;
constexpr int altezza_pulsante = 23;
constexpr int larghezza_minima = 240;  // room for the title in a window manager's frame
constexpr const char* scritta_pulsante = "OK";

// The centre of the box: the centre of its owner, or of the screen.
void centro(const schermo_x11& s, Window proprietario, int& x, int& y) {
  Display* d = s.display;
  x = DisplayWidth(d, s.numero) / 2;
  y = DisplayHeight(d, s.numero) / 2;
  if (proprietario == 0) return;
  XWindowAttributes a;
  Window figlio;
  if (XGetWindowAttributes(d, proprietario, &a) == 0) return;
  XTranslateCoordinates(d, proprietario, RootWindow(d, s.numero), a.width / 2, a.height / 2, &x, &y, &figlio);
}

// Tells the window manager that the box is a modal dialog of `proprietario` that takes input.
void segna_modale(const schermo_x11& s, Window finestra, Window proprietario) {
  Display* d = s.display;
  if (proprietario != 0) XSetTransientForHint(d, finestra, proprietario);
  long tipo = static_cast<long>(XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False));
  XChangeProperty(d, finestra, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&tipo), 1);
  long stato = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_MODAL", False));
  XChangeProperty(d, finestra, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&stato), 1);
  XWMHints suggerimenti{};
  suggerimenti.flags = InputHint;
  suggerimenti.input = True;
  XSetWMHints(d, finestra, &suggerimenti);
}

int altezza_riga(const carattere_x11& c) { return ascesa(c) + discesa(c); }

void disegna_testo(const schermo_x11& s, const scatola_messaggio& m) {
  XRectangle tutto{0, 0, 0x7FFF, 0x7FFF};
  scrivi_testo(s, m.finestra, m.carattere, margine, margine + ascesa(m.carattere), m.testo, tutto);
}

void linea(Display* d, Window w, GC gc, unsigned long colore, int x1, int y1, int x2, int y2) {
  XSetForeground(d, gc, colore);
  XDrawLine(d, w, gc, x1, y1, x2, y2);
}

// The default button: a black frame, then raised edges, or one shaded edge while pressed.
void disegna_pulsante(const schermo_x11& s, const scatola_messaggio& m) {
  Display* d = s.display;
  Window w = m.pulsante;
  const int r = larghezza_pulsante - 1;
  const int b = altezza_pulsante - 1;
  bool giu = m.premuto && m.sopra;
  XClearWindow(d, w);
  GC gc = XCreateGC(d, w, 0, nullptr);
  XSetForeground(d, gc, s.inchiostro);
  XDrawRectangle(d, w, gc, 0, 0, static_cast<unsigned>(r), static_cast<unsigned>(b));
  if (giu) {
    XSetForeground(d, gc, s.ombra);
    XDrawRectangle(d, w, gc, 1, 1, static_cast<unsigned>(r - 2), static_cast<unsigned>(b - 2));
  } else {
    linea(d, w, gc, s.luce, 1, 1, r - 2, 1);
    linea(d, w, gc, s.luce, 1, 1, 1, b - 2);
    linea(d, w, gc, s.ombra_scura, 1, b - 1, r - 1, b - 1);
    linea(d, w, gc, s.ombra_scura, r - 1, 1, r - 1, b - 1);
    linea(d, w, gc, s.ombra, 2, b - 2, r - 2, b - 2);
    linea(d, w, gc, s.ombra, r - 2, 2, r - 2, b - 2);
  }
  XFreeGC(d, gc);
  int spinta = giu ? 1 : 0;
  int x = (larghezza_pulsante - larghezza_testo(s, m.carattere, scritta_pulsante)) / 2 + spinta;
  int y = (altezza_pulsante - altezza_riga(m.carattere)) / 2 + ascesa(m.carattere) + spinta;
  XRectangle dentro{2, 2, larghezza_pulsante - 4, altezza_pulsante - 4};
  scrivi_testo(s, w, m.carattere, x, y, scritta_pulsante, dentro);
}

bool tasto_che_chiude(XKeyEvent& tasto) {
  KeySym simbolo = XLookupKeysym(&tasto, 0);
  return simbolo == XK_Return || simbolo == XK_KP_Enter || simbolo == XK_Escape || simbolo == XK_space;
}

bool evento_pulsante(const schermo_x11& s, scatola_messaggio& m, XEvent& e) {
  switch (e.type) {
    case Expose:
      if (e.xexpose.count == 0) disegna_pulsante(s, m);
      return false;
    case ButtonPress:
      if (e.xbutton.button != Button1) return false;
      m.premuto = m.sopra = true;
      break;
    case ButtonRelease: {
      if (e.xbutton.button != Button1 || !m.premuto) return false;
      bool dentro = e.xbutton.x >= 0 && e.xbutton.y >= 0 && e.xbutton.x < larghezza_pulsante &&
                    e.xbutton.y < altezza_pulsante;
      if (dentro) return true;
      m.premuto = false;
      break;
    }
    case EnterNotify:
    case LeaveNotify:
      m.sopra = e.type == EnterNotify;
      break;
    default:
      return false;
  }
  disegna_pulsante(s, m);
  return false;
}

}  // namespace

carattere_x11 carattere_scatola(const schermo_x11& s) { return apri_carattere(s, pixel_testo, false); }

scatola_messaggio apri_scatola(const schermo_x11& s, Window proprietario, const std::string& testo,
                               const carattere_x11& carattere) {
  Display* d = s.display;
  scatola_messaggio m;
  m.testo = testo;
  m.carattere = carattere;
  int larghezza = std::max({larghezza_testo(s, m.carattere, testo) + 2 * margine,
                            larghezza_pulsante + 2 * margine, larghezza_minima});
  int y_pulsante = margine + altezza_riga(m.carattere) + spazio_pulsante;
  int altezza = y_pulsante + altezza_pulsante + margine;
  int x, y;
  centro(s, proprietario, x, y);
  m.finestra = crea_finestra(s, larghezza, altezza, x, y);
  segna_modale(s, m.finestra, proprietario);
  m.pulsante = XCreateSimpleWindow(d, m.finestra, (larghezza - larghezza_pulsante) / 2, y_pulsante,
                                   larghezza_pulsante, altezza_pulsante, 0, s.inchiostro, s.sfondo);
  XSelectInput(d, m.pulsante,
               ExposureMask | ButtonPressMask | ButtonReleaseMask | EnterWindowMask | LeaveWindowMask);
  XMapWindow(d, m.pulsante);
  XMapWindow(d, m.finestra);
  return m;
}

bool evento_scatola(const schermo_x11& s, scatola_messaggio& m, XEvent& e) {
  if (e.xany.window == m.pulsante) return evento_pulsante(s, m, e);
  if (e.xany.window != m.finestra) return false;
  switch (e.type) {
    case Expose:
      if (e.xexpose.count > 0) return false;
      disegna_testo(s, m);
      // Exposed means viewable, the one state in which the keyboard can be given to it.
      if (!m.esposta) XSetInputFocus(s.display, m.finestra, RevertToParent, CurrentTime);
      m.esposta = true;
      return false;
    case KeyPress:
      return tasto_che_chiude(e.xkey);
    case ClientMessage:
      return static_cast<Atom>(e.xclient.data.l[0]) == s.chiudi_finestra;
    default:
      return false;
  }
}

void chiudi_scatola(const schermo_x11& s, scatola_messaggio& m) {
  XDestroyWindow(s.display, m.finestra);
  XSync(s.display, False);
}
