// Test support for the drawing: how many pairs of the boxes where labels ended up
// overlap (none, where the labels were placed well).
#pragma once

#include <vector>

#include "drawing/etichette.h"

inline int sovrapposizioni(const std::vector<riquadro>& r) {
  int n = 0;
  for (size_t i = 0; i < r.size(); ++i) {
    for (size_t j = i + 1; j < r.size(); ++j) n += si_sovrappongono(r[i], r[j]);
  }
  return n;
}
