// The picture that `plot` writes, in SVG: a title; the route's plan with its stations,
// tunnels and signals; under it the profile against kilometres (speed limit with the
// slowdowns, gradient, adhesion) with the stations marked; and a legend.
#pragma once

#include <string>
#include <vector>

#include "drawing/dati_disegno.h"
#include "drawing/grafico_piano.h"
#include "drawing/grafico_profilo.h"

std::string grafico_svg(const dati_disegno& d, const std::string& titolo);

