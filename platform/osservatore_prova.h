// Test support for the window layer: a second connection to the display that looks at
// the program's windows as a person would, reads their pixels, and clicks and types
// through the XTest extension, so every input goes through the server like a real one.
//
// X errors on this connection (a window that went away while it was being looked at)
// are ignored; those of any other connection are counted in `errori_x_programma`.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

inline std::atomic<Display*> display_osservatore{nullptr};
inline std::atomic<int> errori_x_programma{0};

inline int conta_errore_x(Display* d, XErrorEvent*) {
  if (d != display_osservatore.load()) ++errori_x_programma;
  return 0;
}

struct rettangolo {
  int x = 0, y = 0, larghezza = 0, altezza = 0;
  bool vuoto() const { return larghezza <= 0 || altezza <= 0; }
};

// The pixels of one window, as the server shows them.
struct immagine {
  int larghezza = 0, altezza = 0;
  std::vector<unsigned long> pixel;

  unsigned long at(int x, int y) const { return pixel[static_cast<size_t>(y * larghezza + x)]; }

  // The smallest rectangle holding every pixel of `dentro` that differs from `sfondo`.
  rettangolo inchiostro(unsigned long sfondo, rettangolo dentro) const {
    int x0 = dentro.x + dentro.larghezza, y0 = dentro.y + dentro.altezza, x1 = -1, y1 = -1;
    for (int y = dentro.y; y < dentro.y + dentro.altezza; ++y) {
      for (int x = dentro.x; x < dentro.x + dentro.larghezza; ++x) {
        if (at(x, y) == sfondo) continue;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    }
    if (x1 < 0) return {};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
  }
  rettangolo tutta() const { return {0, 0, larghezza, altezza}; }
};

class Osservatore {
 public:
  explicit Osservatore(const std::string& nome) : d_(XOpenDisplay(nome.c_str())) {
    display_osservatore = d_;
    XSetErrorHandler(conta_errore_x);
  }
  ~Osservatore() {
    if (d_ != nullptr) XCloseDisplay(d_);
    display_osservatore = nullptr;
  }
  Osservatore(const Osservatore&) = delete;
  Osservatore& operator=(const Osservatore&) = delete;

  bool aperto() const { return d_ != nullptr; }

  // The child windows of `w`, or of the root window.
  std::vector<Window> figli(Window w = 0) {
    Window radice, padre, *lista = nullptr;
    unsigned int quanti = 0;
    std::vector<Window> risultato;
    if (XQueryTree(d_, w != 0 ? w : DefaultRootWindow(d_), &radice, &padre, &lista, &quanti) == 0) return risultato;
    risultato.assign(lista, lista + quanti);
    if (lista != nullptr) XFree(lista);
    return risultato;
  }

  // The top-level windows on the screen now.
  std::vector<Window> finestre() {
    XSync(d_, False);
    std::vector<Window> visibili;
    for (Window w : figli()) {
      XWindowAttributes a;
      if (XGetWindowAttributes(d_, w, &a) != 0 && a.map_state == IsViewable) visibili.push_back(w);
    }
    return visibili;
  }

  // The first top-level window for which `cerca` holds, within five seconds; 0 if none.
  Window attendi(const std::function<bool(Window)>& cerca) {
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < limite) {
      for (Window w : finestre()) {
        if (cerca(w)) return w;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
  }

  // A top-level window with children: the message box with its button.
  Window attendi_scatola() {
    return attendi([&](Window w) { return !figli(w).empty(); });
  }

  // True once the keyboard goes to `w`, within five seconds.
  bool attendi_fuoco(Window w) {
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < limite) {
      Window fuoco;
      int ritorno;
      XGetInputFocus(d_, &fuoco, &ritorno);
      if (fuoco == w) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Position (on the screen) and size of `w`.
  rettangolo posto(Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(d_, w, &a);
    int x = 0, y = 0;
    Window figlio;
    XTranslateCoordinates(d_, w, DefaultRootWindow(d_), 0, 0, &x, &y, &figlio);
    return {x, y, a.width, a.height};
  }

  std::string titolo(Window w) {
    char* nome = nullptr;
    std::string risultato;
    if (XFetchName(d_, w, &nome) != 0 && nome != nullptr) risultato = nome;
    if (nome != nullptr) XFree(nome);
    return risultato;
  }

  Window proprietario(Window w) {
    Window p = 0;
    XGetTransientForHint(d_, w, &p);
    return p;
  }

  immagine guarda(Window w) {
    rettangolo r = posto(w);
    immagine img;
    XImage* x = XGetImage(d_, w, 0, 0, static_cast<unsigned>(r.larghezza), static_cast<unsigned>(r.altezza),
                          AllPlanes, ZPixmap);
    if (x == nullptr) return img;
    img.larghezza = r.larghezza;
    img.altezza = r.altezza;
    for (int y = 0; y < r.altezza; ++y) {
      for (int xx = 0; xx < r.larghezza; ++xx) img.pixel.push_back(XGetPixel(x, xx, y));
    }
    XDestroyImage(x);
    return img;
  }

  void muovi(int x, int y) {
    XTestFakeMotionEvent(d_, DefaultScreen(d_), x, y, CurrentTime);
    XSync(d_, False);
  }
  void premi(bool giu) {
    XTestFakeButtonEvent(d_, 1, giu ? True : False, CurrentTime);
    XSync(d_, False);
  }
  // A click of the first button in the middle of `w`.
  void clicca(Window w) {
    rettangolo r = posto(w);
    muovi(r.x + r.larghezza / 2, r.y + r.altezza / 2);
    premi(true);
    premi(false);
  }
  void digita(KeySym tasto) {
    KeyCode codice = XKeysymToKeycode(d_, tasto);
    XTestFakeKeyEvent(d_, codice, True, CurrentTime);
    XTestFakeKeyEvent(d_, codice, False, CurrentTime);
    XSync(d_, False);
  }
  // Takes the window manager's place: from now on a window that asks to be mapped is
  // not, until `mappa_in_ritardo` maps it.
  void fai_da_gestore() {
    XSelectInput(d_, DefaultRootWindow(d_), SubstructureRedirectMask);
    XSync(d_, False);
  }
  // Waits for the first request to map a window and grants it `ritardo` later.
  void mappa_in_ritardo(std::chrono::milliseconds ritardo) {
    XEvent e;
    do XNextEvent(d_, &e);
    while (e.type != MapRequest);
    std::this_thread::sleep_for(ritardo);
    XMapWindow(d_, e.xmaprequest.window);
    XSync(d_, False);
  }

  // What a window manager sends when its close button is used.
  void chiedi_chiusura(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d_, w, False, NoEventMask, &e);
    XSync(d_, False);
  }

 private:
  Display* d_;
};
