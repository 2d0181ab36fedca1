// Axis steps and text widths for the panels.
#include "drawing/misure.h"

#include <cmath>

double passo_tacche(double estensione, int tacche) {
  if (!(estensione > 0)) return 1;
  double grezzo = estensione / tacche;
  double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
  for (double fattore : {1.0, 2.0, 5.0}) {
    if (fattore * potenza >= grezzo) return fattore * potenza;
  }
  return 10 * potenza;
}

double larghezza_testo(const std::string& utf8, double corpo) {
  size_t caratteri = 0;
  for (char c : utf8) caratteri += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return static_cast<double>(caratteri) * corpo * 0.68;
}
