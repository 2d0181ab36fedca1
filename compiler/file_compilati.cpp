// Writers of the three compiled files. Each file is written anew in one pass, member by
// member, in declaration order, with no header, count or padding.
#include "compiler/file_compilati.h"

#include <algorithm>
#include <bit>

#include "compiler/uscita_binaria.h"

namespace {

// One element of the plan: its type code, then its value in that type's width. The
// seeds of metres 0 and 1 are integers, every later metre a double.
inline void elemento(uscita_binaria& u, int64_t metro, double valore) {
  if (metro < 2) {
    u.parola(variante_intero);
    u.intero(static_cast<int16_t>(valore));
    return;
  }
  char* e = u.spazio(10);
  uscita_binaria::poni(e, variante_double, 2);
  uscita_binaria::poni(e + 2, std::bit_cast<uint64_t>(valore), 8);
}

// The bytes of each half of the plan file: integer seeds, laid doubles, empty metres.
uint64_t dimensione_meta(const tracciato_piano& t) {
  auto posati = static_cast<uint64_t>(t.metri_posati);
  uint64_t semi = std::min<uint64_t>(posati, 2);
  return 4 * semi + 10 * (posati - semi) + 2 * (static_cast<uint64_t>(t.ultimo_metro) + 1 - posati);
}

void voce_tabella(uscita_binaria& u, const voce& v) {
  u.byte(v.codice);
  u.lungo(v.valore_a);
  u.lungo(v.valore_b);
  u.lungo(v.valore_c);
  u.byte(v.marca);
  u.intero(static_cast<int16_t>(v.testo.size()));
  u.testo(v.testo);
  u.intero(v.intero_a);
  u.intero(v.intero_b);
  u.intero(v.intero_c);
  u.intero(v.intero_d);
  u.intero(v.intero_e);
  u.byte(v.bit_a);
  u.byte(v.bit_b);
  u.byte(v.bit_c);
  u.byte(v.bit_d);
  u.lungo(v.valore_d);
}

void cella_griglia(uscita_binaria& u, const cella& c) {
  u.byte(c.tipo);
  u.intero(c.dato1);
  u.intero(c.dato2);
  u.intero(c.dato3);
  u.intero(c.dato4);
  u.byte(c.tempo);
  u.byte(c.preavviso);
  u.byte(c.montagna);
  u.byte(c.velocita);
  u.byte(c.pendenza);
  u.byte(c.aderenza);
}

}  // namespace

// The plan is laid again once: each point's x goes to the first half of the file and
// its y to the second, whose start is known from how many metres were laid.
void scrivi_piano(file_nuovo& file, const tracciato_piano& tracciato) {
  uscita_binaria x(file);
  uscita_binaria y(file, dimensione_meta(tracciato));
  int64_t metro = 0;
  ripercorri(tracciato, [&](const punto_tracciato& p) {
    elemento(x, metro, p.x);
    elemento(y, metro, p.y);
    ++metro;
  });
  for (; metro <= tracciato.ultimo_metro; ++metro) {
    x.parola(variante_vuota);
    y.parola(variante_vuota);
  }
  x.svuota();
  y.svuota();
}

void scrivi_tabella(file_nuovo& file, const tabella_generale& tabella) {
  uscita_binaria u(file);
  for (const voce& v : tabella) voce_tabella(u, v);
  u.svuota();
}

void scrivi_griglia(file_nuovo& file, const std::vector<cella>& griglia) {
  uscita_binaria u(file);
  for (const cella& c : griglia) cella_griglia(u, c);
  u.svuota();
}
