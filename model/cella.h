// One cell of the track grid `griglia`: the 50 m of route from 50·k to 50·k + 49.
//
// `tipo` says which object stands in the cell (0 none, 1 signal, 2/3/4/5 slowdown end,
// start, warning board and approach cell, 6 speed-indicator board, 10 station stop,
// 11 tunnel mark, 12 code point, 13 reduction without a code, 14 signboard); `dato1`
// to `dato4` hold that object's values. The six byte members describe the stretch the
// cell lies in. The members are written to the grid file in this order, 15 bytes a cell.
#pragma once

#include <cstdint>

struct cella {
  uint8_t tipo = 0;
  int16_t dato1 = 0;
  int16_t dato2 = 0;
  int16_t dato3 = 0;
  int16_t dato4 = 0;
  uint8_t tempo = 0;      // signal time
  uint8_t preavviso = 0;  // approach mark before a signal (31..64) or a station stop (81..84)
  uint8_t montagna = 0;   // tunnel kind of the stretch: 0 open air, 1 to 3
  uint8_t velocita = 0;   // line speed limit / 5
  uint8_t pendenza = 0;   // gradient in per mille + 100
  uint8_t aderenza = 0;   // adhesion value
};

// Cell kinds.
enum tipo_cella : uint8_t {
  cella_vuota = 0,
  cella_segnale = 1,
  cella_fine_rallentamento = 2,
  cella_inizio_rallentamento = 3,
  cella_avviso_rallentamento = 4,
  cella_approccio_rallentamento = 5,
  cella_indicatore = 6,
  cella_fermata = 10,
  cella_galleria = 11,
  punto_codice = 12,
  cella_abbattimento = 13,
  cella_cartello = 14,
};
