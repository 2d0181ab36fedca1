// Checked access to the grid and the table: the loader never writes outside them, and
// an access that would is a load failure at that point (code 25), with whatever was
// written before it left in place.
#include "compiler/compilatore.h"
#include "model/guasto_caricamento.h"

cella& compilatore::cella_griglia(int64_t k) {
  if (k < 0 || k >= static_cast<int64_t>(griglia.size())) {
    throw guasto_caricamento(griglia.empty() ? "no track grid yet: the route length has not been read"
                                             : "cell " + std::to_string(k) + " lies outside the grid 0.." +
                                                   std::to_string(griglia.size() - 1));
  }
  return griglia[static_cast<size_t>(k)];
}

voce& compilatore::voce_tabella(int64_t i) {
  if (i < 0 || i >= voci_tabella) throw guasto_caricamento("table entry " + std::to_string(i) + " does not exist");
  return tabella[static_cast<size_t>(i)];
}
