// What `plot` draws, taken from the decoded compiled files: the plan as points along
// the route, the stations, signals, tunnels and slowdowns at their positions, and the
// gradient, speed limit and adhesion as steps along the route. Positions are metres
// from the route's origin. Stations, signals and slowdowns past the route's end (in the
// grid's 7000 m beyond it) are kept, so that the picture can show them as such.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decoder/decodifica.h"

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

struct galleria {
  int64_t inizio;
  int64_t fine;
  int tipo;          // 1 to 3
  std::string nome;  // UTF-8, from the signboard that announces it; empty when none does
};

struct dati_disegno {
  int64_t lunghezza = 0;           // the route length, metres
  int64_t fine = 0;                // metres shown: the route, or up to what stands past its end
  std::vector<punto_piano> piano;  // one point every 50 m up to `fine`; empty without a plan file
  std::vector<stazione_disegno> stazioni;
  std::vector<int64_t> segnali;
  std::vector<galleria> gallerie;
  std::vector<tratto> rallentamenti;  // speed in km/h
  std::vector<tratto> pendenze;       // per mille
  std::vector<tratto> velocita;       // km/h
  std::vector<tratto> aderenze;
};

// The names of what stands past the route's end, with its position: "station X at
// 229.5 km", "signal at 229.1 km", ...; empty when nothing does.
std::vector<std::string> oltre_la_fine(const dati_disegno& d);

// The plan may be missing: a scenario compiled without one.
dati_disegno estrai_disegno(const std::optional<piano_decodificato>& piano, const tabella_generale& tabella,
                            const std::vector<cella>& griglia);
