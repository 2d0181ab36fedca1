// Members of a cell and of an entry, in file order, with their widths.
#include "tool/membri.h"

std::array<membro, 11> membri_cella(const cella& c) {
  return {{{"tipo", c.tipo, 1},
           {"dato1", c.dato1, 2},
           {"dato2", c.dato2, 2},
           {"dato3", c.dato3, 2},
           {"dato4", c.dato4, 2},
           {"tempo", c.tempo, 1},
           {"preavviso", c.preavviso, 1},
           {"montagna", c.montagna, 1},
           {"velocita", c.velocita, 1},
           {"pendenza", c.pendenza, 1},
           {"aderenza", c.aderenza, 1}}};
}

std::array<membro, 15> membri_voce(const voce& v) {
  return {{{"codice", v.codice, 1},
           {"valore_a", v.valore_a, 4},
           {"valore_b", v.valore_b, 4},
           {"valore_c", v.valore_c, 4},
           {"marca", v.marca, 1},
           {"intero_a", v.intero_a, 2},
           {"intero_b", v.intero_b, 2},
           {"intero_c", v.intero_c, 2},
           {"intero_d", v.intero_d, 2},
           {"intero_e", v.intero_e, 2},
           {"bit_a", v.bit_a, 1},
           {"bit_b", v.bit_b, 1},
           {"bit_c", v.bit_c, 1},
           {"bit_d", v.bit_d, 1},
           {"valore_d", v.valore_d, 4}}};
}
