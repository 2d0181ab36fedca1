// progressive_ordina: puts the three kilometre-post records of entries 81 to 83 in
// order once the general part of the line file has been read.
//
// It is a fixed decision for three records, not a general sort: by the first value
// (the position) when the three positions do not sum to 0, otherwise by the second.
// A record whose third value is 1 then has 100 added to its second.
#include <array>

#include "loader/memo.h"
#include "model/conversioni.h"

namespace {

struct progressiva {
  int32_t a, b, c;
};

}  // namespace

void progressive_ordina(tabella_generale& tabella) {
  // r[0], r[1], r[2] are the records as read into entries 81, 82, 83.
  std::array<progressiva, 3> r;
  for (int i = 0; i < 3; ++i) {
    const voce& v = tabella[static_cast<size_t>(voce_progressiva_tre + i)];
    r[static_cast<size_t>(i)] = {v.valore_a, v.valore_b, v.valore_c};
  }
  const progressiva zero{0, 0, 0};
  std::array<progressiva, 3> ordinati;
  auto somma = static_cast<int32_t>(static_cast<uint32_t>(r[0].a) + static_cast<uint32_t>(r[1].a) +
                                    static_cast<uint32_t>(r[2].a));
  if (somma != 0) {
    // The record with a key strictly greater than both others goes first; of the other
    // two the greater follows, and on equal keys the one from the higher entry.
    ordinati = {zero, zero, zero};
    for (size_t mag = 0; mag < 3; ++mag) {
      size_t p = (mag + 1) % 3, q = (mag + 2) % 3;
      if (r[mag].a <= r[p].a || r[mag].a <= r[q].a) continue;
      size_t basso = p < q ? p : q, alto = p < q ? q : p;
      bool alto_prima = r[alto].a >= r[basso].a;
      ordinati = {r[mag], alto_prima ? r[alto] : r[basso], alto_prima ? r[basso] : r[alto]};
    }
  } else {
    // The last test that holds decides.
    ordinati = {zero, zero, zero};
    if (r[0].b > 0) ordinati = r;
    if (r[1].b > 0) ordinati = {r[1], r[0], r[2]};
    if (r[2].b > 0) ordinati = {r[2], r[1], r[0]};
  }
  for (int i = 0; i < 3; ++i) {
    progressiva& p = ordinati[static_cast<size_t>(i)];
    if (p.c == 1) p.b = lungo_o_guasto(static_cast<int64_t>(p.b) + 100, "a kilometre-post value + 100");
    voce& v = tabella[static_cast<size_t>(voce_progressiva_tre + i)];
    v.valore_a = p.a;
    v.valore_b = p.b;
    v.valore_c = p.c;
  }
}
