// record_letto: what reading a record gives back. A record reader returns the values
// it read, each numeric field that a diagnostic may point at with its place; laying
// them on the scenario returns how the record ends: the next record follows; or the
// record's position failed the fits-in-grid test (code 15), which ends the reading
// like the end of the file; or the load stopped with a code, and the reading goes on
// after it only as ripresa.h decides.
#pragma once

#include <cstdint>

#include "loader/lettore_campi.h"
#include "model/luogo_sorgente.h"

enum class esito_record : int { avanti, fuori_griglia, fermo };

// A numeric field as read: its value and its place, the file's name left empty as the
// field reader gives it.
struct numero_letto {
  int32_t valore = 0;
  luogo_sorgente campo;
};

// A record of a position and one value (a gradient, a speed limit, an adhesion value,
// a code reduction).
struct coppia_letta {
  numero_letto posizione;
  numero_letto valore;
};

inline numero_letto leggi_numero(lettore_campi& l) {
  int32_t valore = l.leggi_lungo();
  return {valore, l.ultimo_campo().luogo};
}

inline coppia_letta leggi_coppia(lettore_campi& l) {
  numero_letto posizione = leggi_numero(l);
  return {posizione, leggi_numero(l)};
}
