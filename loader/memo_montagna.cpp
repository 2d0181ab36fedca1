// memo_montagna: stores one mountain (tunnel) stretch in the mountain lists and lays
// its kind on the cells it covers.
//
// A kind above 10 means kind - 10 with a tunnel mark on every fourth cell of the
// stretch (one every 200 m) where the cell holds no object yet. A stretch that begins
// 150 m or less after the previous one ends becomes kind 3.
#include "loader/griglia.h"
#include "loader/memo.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"

void memo_montagna(scenario_compilato& sc, int32_t inizio, int32_t fine, int32_t tipo) {
  bool segna_galleria = false;
  if (tipo > 10) {
    tipo -= 10;
    segna_galleria = true;
  }
  if (sc.n_montagne >= static_cast<int32_t>(sc.montagne_inizio.size()) - 1) {
    throw guasto_caricamento("more than 80 mountain stretches");
  }
  ++sc.n_montagne;
  auto n = static_cast<size_t>(sc.n_montagne);
  sc.montagne_inizio[n] = inizio;
  sc.montagne_fine[n] = fine;
  if (sc.n_montagne > 1 && static_cast<int64_t>(sc.montagne_inizio[n]) - sc.montagne_fine[n - 1] <= 150) tipo = 3;

  int64_t primo = arrotonda(inizio / 50.0);
  int64_t ultimo = arrotonda(fine / 50.0 - 1.0);
  for (int64_t k = primo, conta = 1; k <= ultimo; ++k, ++conta) {
    cella& c = cella_griglia(sc, k);
    c.montagna = basso8(tipo);
    if (segna_galleria && conta % 4 == 0 && c.tipo == cella_vuota) c.tipo = cella_galleria;
  }
}
