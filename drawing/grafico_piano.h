// The route's plan, as seen from above, for the picture of `plot`.
#pragma once

#include "drawing/dati_disegno.h"
#include "drawing/etichette.h"
#include "drawing/svg.h"

// The plan in the box from (x, y), `larghezza` wide and at most `altezza_massima` high;
// returns the height it took. It is turned so that the route runs from left to right.
double disegna_piano(svg& s, const dati_disegno& d, double x, double y, double larghezza, double altezza_massima,
                     etichette_disegnate& etichette);
