// Loading the window module. It stays loaded until the program ends: the platform it
// made lives in it.
#include "platform/finestra_caricata.h"

#include <dlfcn.h>

#include <cstdlib>

std::unique_ptr<Piattaforma> carica_piattaforma_x11(const std::string& cartella) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return nullptr;
  void* modulo = dlopen((cartella + "/" + modulo_finestra).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (modulo == nullptr) return nullptr;
  auto crea = reinterpret_cast<Piattaforma* (*)(const char*)>(dlsym(modulo, "crea_piattaforma_x11"));
  if (crea == nullptr) return nullptr;
  return std::unique_ptr<Piattaforma>(crea(cartella.c_str()));
}
