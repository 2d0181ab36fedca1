// Loading the window module, and the program's platform on a POSIX system: the X11
// window when the module loads and the display opens, the terminal otherwise. The
// module stays loaded until the program ends: the platform it made lives in it.
#include <dlfcn.h>

#include <cstdlib>
#include <iostream>

#include "platform/console.h"
#include "platform/finestra_caricata.h"
#include "platform/piattaforma_programma.h"

std::unique_ptr<Piattaforma> carica_piattaforma_x11(const std::string& cartella, const std::string& cartella_modulo) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return nullptr;
  void* modulo = dlopen((cartella_modulo + "/" + modulo_finestra).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (modulo == nullptr) return nullptr;
  auto crea = reinterpret_cast<Piattaforma* (*)(const char*)>(dlsym(modulo, "crea_piattaforma_x11"));
  if (crea == nullptr) return nullptr;
  return std::unique_ptr<Piattaforma>(crea(cartella.c_str()));
}

std::unique_ptr<Piattaforma> apri_piattaforma_programma(const std::string& cartella,
                                                        const std::string& cartella_eseguibile) {
  if (std::unique_ptr<Piattaforma> finestra = carica_piattaforma_x11(cartella, cartella_eseguibile)) return finestra;
  return std::make_unique<PiattaformaConsole>(cartella, &std::cout, std::cerr);
}
