// The program's window on Xlib: 280 x 179 client pixels, one label at 64, 64,
// 177 x 53 in a bold sans-serif face of 24 points (32 pixels at the usual 96 pixels to
// the inch, smaller when the text would not fit), and no other controls. The window
// handles no events while the run works; only the message box's loop repaints it.
#include "platform/finestra_x11.h"

#include <X11/Xlib.h>

#include "platform/carattere_x11.h"
#include "platform/messaggio_x11.h"
#include "platform/schermo_x11.h"

namespace {

constexpr int larghezza_finestra = 280;
constexpr int altezza_finestra = 179;
constexpr XRectangle rettangolo_etichetta{64, 64, 177, 53};
constexpr int pixel_etichetta = 32;
constexpr int attesa_esposizione_ms = 5000;

class PiattaformaX11 : public Piattaforma {
 public:
  PiattaformaX11(std::string cartella, const schermo_x11& s, const carattere_x11& messaggio)
      : cartella_(std::move(cartella)), s_(s), carattere_messaggio_(messaggio) {}
  ~PiattaformaX11() override;
  PiattaformaX11(const PiattaformaX11&) = delete;
  PiattaformaX11& operator=(const PiattaformaX11&) = delete;

  void mostra_finestra(const std::string& etichetta) override;
  void mostra_messaggio(const std::string& testo) override;
  void mostra_fallimento(const std::string& testo) override { mostra_messaggio(testo); }
  std::string cartella_programma() const override { return cartella_; }

 private:
  void disegna_etichetta();

  std::string cartella_;
  schermo_x11 s_;
  carattere_x11 carattere_messaggio_;
  carattere_x11 carattere_etichetta_;
  Window finestra_ = 0;
  std::string etichetta_;
};

PiattaformaX11::~PiattaformaX11() {
  if (finestra_ != 0) XDestroyWindow(s_.display, finestra_);
  chiudi_carattere(s_, carattere_etichetta_);
  chiudi_carattere(s_, carattere_messaggio_);
  XCloseDisplay(s_.display);
}

void PiattaformaX11::mostra_finestra(const std::string& etichetta) {
  Display* d = s_.display;
  etichetta_ = etichetta;
  chiudi_carattere(s_, carattere_etichetta_);
  carattere_etichetta_ =
      apri_carattere_entro(s_, pixel_etichetta, true, etichetta, rettangolo_etichetta.width);
  if (finestra_ == 0) {
    finestra_ = crea_finestra(s_, larghezza_finestra, altezza_finestra, DisplayWidth(d, s_.numero) / 2,
                              DisplayHeight(d, s_.numero) / 2);
    XMapWindow(d, finestra_);
    attendi_esposizione(s_, finestra_, attesa_esposizione_ms);
  }
  XClearArea(d, finestra_, rettangolo_etichetta.x, rettangolo_etichetta.y, rettangolo_etichetta.width,
             rettangolo_etichetta.height, False);
  disegna_etichetta();
  XSync(d, False);
}

void PiattaformaX11::mostra_messaggio(const std::string& testo) {
  scatola_messaggio m = apri_scatola(s_, finestra_, testo, carattere_messaggio_);
  for (;;) {
    XEvent e;
    XNextEvent(s_.display, &e);
    if (e.xany.window == finestra_ && finestra_ != 0) {
      if (e.type == Expose && e.xexpose.count == 0) disegna_etichetta();
    } else if (evento_scatola(s_, m, e)) {
      break;
    }
  }
  chiudi_scatola(s_, m);
}

// The label's text starts at its top left corner and never leaves its rectangle.
void PiattaformaX11::disegna_etichetta() {
  if (!carattere_aperto(carattere_etichetta_)) return;
  scrivi_testo(s_, finestra_, carattere_etichetta_, rettangolo_etichetta.x,
               rettangolo_etichetta.y + ascesa(carattere_etichetta_), etichetta_, rettangolo_etichetta);
}

}  // namespace

std::unique_ptr<Piattaforma> apri_piattaforma_x11(std::string cartella) {
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return nullptr;
  schermo_x11 s = prepara_schermo(d);
  carattere_x11 messaggio = carattere_scatola(s);
  if (!carattere_aperto(messaggio)) {
    XCloseDisplay(d);
    return nullptr;
  }
  return std::make_unique<PiattaformaX11>(std::move(cartella), s, messaggio);
}
