// What `plot` draws, taken from the decoded compiled files: the plan as points along
// the route, the stations, signals, tunnels and slowdowns at their positions, and the
// gradient, speed limit and adhesion as steps along the route. Positions are metres
// from the route's origin.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tool/decodifica.h"

struct punto_piano {
  int64_t metro;
  double x;
  double y;
};

struct stazione_disegno {
  std::string nome;  // UTF-8
  int64_t metro;     // reference point
  bool fermata;      // the train stops there (a stop cell on the grid)
};

// A stretch from `inizio` to `fine` (metres, fine excluded) with one value.
struct tratto {
  int64_t inizio;
  int64_t fine;
  int valore;
};

struct dati_disegno {
  int64_t lunghezza = 0;           // metres of route shown
  std::vector<punto_piano> piano;  // one point every 50 m; empty without a plan file
  std::vector<stazione_disegno> stazioni;
  std::vector<int64_t> segnali;
  std::vector<tratto> gallerie;       // tunnel kind 1 to 3
  std::vector<tratto> rallentamenti;  // speed in km/h
  std::vector<tratto> pendenze;       // per mille
  std::vector<tratto> velocita;       // km/h
  std::vector<tratto> aderenze;
};

// The plan may be missing: a scenario compiled without one.
dati_disegno estrai_disegno(const std::optional<piano_decodificato>& piano, const tabella_generale& tabella,
                            const std::vector<cella>& griglia);
