// The route's profile against kilometres, for the picture of `plot`: speed limit with the
// slowdowns, gradient, adhesion, tunnels and signals, the stations marked.
#pragma once

#include "drawing/dati_disegno.h"
#include "drawing/etichette.h"
#include "drawing/svg.h"

// The profile from (x, y), `larghezza` wide; returns the height it took.
double disegna_profilo(svg& s, const dati_disegno& d, double x, double y, double larghezza,
                       etichette_disegnate& etichette);
