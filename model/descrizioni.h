// What the compiled scenario holds, in words for a route author: the kinds of grid
// cell, the object that a cell holds, the role of each entry of the general table and
// the meaning of its members. The explanation of a code, `dump` and `plot` all use
// these, so a cell or an entry reads the same wherever it appears.
#pragma once

#include <string>

#include "model/cella.h"
#include "model/voce.h"

// The measures that two stretch members of a cell stand for: the line speed limit is
// kept in steps of 5 km/h, the gradient in per mille plus 100.
inline int velocita_kmh(const cella& c) { return c.velocita * 5; }
inline int pendenza_per_mille(const cella& c) { return c.pendenza - 100; }

// The name of a cell kind: "signal", "slowdown start", ...; "unknown kind N" otherwise.
std::string nome_tipo_cella(int tipo);

// What a cell holds, as a phrase that can follow "cell 43 holds": "a signal", "the stop
// of station 3, CASTELNUOVO", "nothing", ... The table supplies station names and
// signboard texts.
std::string descrivi_cella(const cella& c, const tabella_generale& tabella);

// The role of entry i, judged from the whole table: stations fill entries 1 upwards,
// signboards (text alone) entries 80 downwards; 81 to 86 have fixed roles.
enum class ruolo_voce { vuota, stazione, cartello, progressiva, dati_treno, testata_linea, testata_treno };
ruolo_voce ruolo_di(int i, const tabella_generale& tabella);
std::string nome_ruolo(ruolo_voce r);

// True when any member of the entry is not zero or its text is not empty.
bool voce_usata(const voce& v);

// What member `nome` ("valore_a", "testo", ...) holds in an entry of role r; empty
// when it has no meaning of its own there.
std::string significato_membro(ruolo_voce r, const std::string& nome);
