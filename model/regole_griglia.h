// The rules that turn positions in metres into grid cells.
//
// A cell k stands for the 50 m from 50·k to 50·k + 49. Stretch values that begin at p
// take effect from cell arrotonda(p / 50); a point object at p stands in the cell after
// the one that holds p, `cella_di`(p). Every fractional value becomes whole by
// `arrotonda`: to the nearest whole number, ties to the even one.
#pragma once

#include <cstdint>

#include "model/cella.h"

// Nearest whole number, ties to even: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
int64_t arrotonda(double x);

// The cell of a point object at position p: arrotonda(p / 50 + 1).
int64_t cella_di(int64_t p);

// The cell whose stretch begins at p: arrotonda(p / 50).
int64_t cella_della_posizione(int64_t p);

// Fits-in-grid test: (p + 100) / 50 must not exceed the grid's last index.
bool sta_in_griglia(int64_t p, int64_t n_celle);

// A cell is free for a point object when it holds nothing or only a tunnel mark.
inline bool cella_libera(const cella& c) { return c.tipo == cella_vuota || c.tipo == cella_galleria; }
