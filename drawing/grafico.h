// The picture that `plot` writes, in SVG: a title; the route's plan with its stations,
// tunnels and signals; under it the profile against kilometres (speed limit with the
// slowdowns, gradient, adhesion) with the stations marked; and a legend.
#pragma once

#include <string>
#include <vector>

#include "drawing/dati_disegno.h"
#include "drawing/etichette.h"
#include "drawing/svg.h"

// Where the labels of a panel ended up, so that they can be checked for overlaps.
struct etichette_disegnate {
  std::vector<riquadro> riquadri;
};

std::string grafico_svg(const dati_disegno& d, const std::string& titolo);

// The plan in the box from (x, y), `larghezza` wide and at most `altezza_massima` high;
// returns the height it took. It is turned so that the route runs from left to right.
double disegna_piano(svg& s, const dati_disegno& d, double x, double y, double larghezza, double altezza_massima,
                     etichette_disegnate& etichette);

// The profile from (x, y), `larghezza` wide; returns the height it took.
double disegna_profilo(svg& s, const dati_disegno& d, double x, double y, double larghezza,
                       etichette_disegnate& etichette);

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
