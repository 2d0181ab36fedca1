// Faces through Xft with the core fonts as the fallback, and text written in either.
#include "platform/carattere_x11.h"

namespace {

XftFont* faccia_xft(const schermo_x11& s, int pixel, bool grassetto) {
  std::string nome = std::string("sans-serif:") + (grassetto ? "bold" : "medium") +
                     ":pixelsize=" + std::to_string(pixel);
  return XftFontOpenName(s.display, s.numero, nome.c_str());
}

XFontStruct* faccia_nucleo(const schermo_x11& s, int pixel, bool grassetto) {
  std::string peso = grassetto ? "bold" : "medium";
  const std::string nomi[] = {
      "-*-helvetica-" + peso + "-r-normal--" + std::to_string(pixel) + "-*-*-*-*-*-iso8859-1",
      "-*-*-" + peso + "-r-normal--" + std::to_string(pixel) + "-*-*-*-p-*-iso8859-1",
      "fixed",
  };
  for (const std::string& nome : nomi) {
    if (XFontStruct* f = XLoadQueryFont(s.display, nome.c_str())) return f;
  }
  return nullptr;
}

}  // namespace

carattere_x11 apri_carattere(const schermo_x11& s, int pixel, bool grassetto) {
  carattere_x11 c;
  c.xft = faccia_xft(s, pixel, grassetto);
  if (c.xft == nullptr) c.nucleo = faccia_nucleo(s, pixel, grassetto);
  return c;
}

carattere_x11 apri_carattere_entro(const schermo_x11& s, int pixel, bool grassetto, const std::string& testo,
                                   int larghezza) {
  for (int p = pixel;; --p) {
    carattere_x11 c = apri_carattere(s, p, grassetto);
    if (!carattere_aperto(c) || p <= pixel / 2 || larghezza_testo(s, c, testo) <= larghezza) return c;
    chiudi_carattere(s, c);
  }
}

void chiudi_carattere(const schermo_x11& s, carattere_x11& c) {
  if (c.xft != nullptr) XftFontClose(s.display, c.xft);
  if (c.nucleo != nullptr) XFreeFont(s.display, c.nucleo);
  c = carattere_x11{};
}

bool carattere_aperto(const carattere_x11& c) { return c.xft != nullptr || c.nucleo != nullptr; }

int larghezza_testo(const schermo_x11& s, const carattere_x11& c, const std::string& testo) {
  if (c.xft != nullptr) {
    XGlyphInfo misura{};
    XftTextExtentsUtf8(s.display, c.xft, reinterpret_cast<const FcChar8*>(testo.data()),
                       static_cast<int>(testo.size()), &misura);
    return misura.xOff;
  }
  return XTextWidth(c.nucleo, testo.data(), static_cast<int>(testo.size()));
}

int ascesa(const carattere_x11& c) { return c.xft != nullptr ? c.xft->ascent : c.nucleo->ascent; }

int discesa(const carattere_x11& c) { return c.xft != nullptr ? c.xft->descent : c.nucleo->descent; }

void scrivi_testo(const schermo_x11& s, Window finestra, const carattere_x11& c, int x, int y,
                  const std::string& testo, XRectangle ritaglio) {
  Display* d = s.display;
  if (c.xft != nullptr) {
    Visual* visuale = DefaultVisual(d, s.numero);
    Colormap mappa = DefaultColormap(d, s.numero);
    XftDraw* tela = XftDrawCreate(d, finestra, visuale, mappa);
    XRenderColor nero{0, 0, 0, 0xFFFF};
    XftColor inchiostro;
    XftColorAllocValue(d, visuale, mappa, &nero, &inchiostro);
    XftDrawSetClipRectangles(tela, 0, 0, &ritaglio, 1);
    XftDrawStringUtf8(tela, &inchiostro, c.xft, x, y, reinterpret_cast<const FcChar8*>(testo.data()),
                      static_cast<int>(testo.size()));
    XftColorFree(d, visuale, mappa, &inchiostro);
    XftDrawDestroy(tela);
    return;
  }
  GC gc = XCreateGC(d, finestra, 0, nullptr);
  XSetForeground(d, gc, s.inchiostro);
  XSetFont(d, gc, c.nucleo->fid);
  XSetClipRectangles(d, gc, 0, 0, &ritaglio, 1, Unsorted);
  XDrawString(d, finestra, gc, x, y, testo.data(), static_cast<int>(testo.size()));
  XFreeGC(d, gc);
}
