// parte_generale: the general part of the line file, up to the first section header,
// and what it leaves for later: where the route length was read (a code 15 on either
// file points there), and which kilometre-post records are off the 50 m step (a code
// 2 at the end of the load points there).
#pragma once

#include <array>
#include <string>

#include "loader/esito_caricamento.h"

class diagnosi;
class ripresa;
struct lettura;

struct stato_generale {
  luogo_sorgente luogo_lunghezza;  // the route length's value, where one was read
  // For each kilometre-post entry (81, 82, 83 as read) the line of its record when its
  // position or value is not a multiple of 50, else 0.
  std::array<int, 3> riga_progressiva_storta{};
};

// Reads the general part into the table, sizing the grid and the plan (the plan only
// `con_tracciato`): false when the load stops there.
bool leggi_parte_generale(lettura& f, diagnosi& d, esito_caricamento& e, stato_generale& g, const ripresa& rip,
                          bool con_tracciato);

// Once the service file is read: code 2 when a kilometre-post entry, as ordered, is not
// on the 50 m step, traced back to the first such record of `file_linea` (the ordering
// only swaps the records, or clears all three, and then none is off).
void controlla_progressive(const tabella_generale& t, const stato_generale& g, const std::string& file_linea,
                           diagnosi& d);
