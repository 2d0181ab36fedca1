// The measures and styles that the panels of the picture share: axis steps, the width
// of a text, the colours.
#pragma once

#include <string>

// A round step for axis ticks: 1, 2 or 5 times a power of ten, such that `estensione`
// holds at most `tacche` steps.
double passo_tacche(double estensione, int tacche);

// The width of a UTF-8 text at `corpo` pixels, generously reckoned for capitals.
double larghezza_testo(const std::string& utf8, double corpo);

// Colours and styles shared by the panels and the legend.
namespace stile {
inline constexpr const char* linea = "#4a6fa5";
inline constexpr const char* galleria = "#2b2b2b";
inline constexpr const char* segnale = "#c0392b";
inline constexpr const char* velocita = "#1f5fbf";
inline constexpr const char* rallentamento = "#f39c12";
inline constexpr const char* salita = "#b5651d";
inline constexpr const char* discesa = "#2e8b57";
inline constexpr const char* aderenza = "#7d3c98";
inline constexpr const char* griglia = "#e3e3e3";
inline constexpr const char* oltre = "#d0021b";  // what stands past the route's end
}  // namespace stile
