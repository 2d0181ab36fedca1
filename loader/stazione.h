// stazione: the station step. One "stazione" record becomes the next table entry from 1
// upwards, a stop cell at the end of its area and four approach marks before the stop.
// Its fields go into its table entry as they are read, and its position and length are
// checked as soon as they are read: a stop there leaves the fields after them unread.
#pragma once

#include "loader/esito_caricamento.h"
#include "loader/griglia.h"
#include "loader/record_letto.h"

class diagnosi;

// The station takes the table entry `voci.n_stazione`, and must stay below the
// signboards' entries; `lunghezza` is where the route length was read.
esito_record record_stazione(lettore_campi& l, voci_prese& voci, esito_caricamento& e, diagnosi& d,
                             const luogo_sorgente& lunghezza);
