// Writers of the three compiled files. Each file is written anew in one pass, member by
// member, in declaration order, with no header, count or padding.
#include "compiler/file_compilati.h"

#include <bit>

#include "compiler/uscita_binaria.h"

namespace {

// One coordinate of every metre (x, or y when `di_y`), the plan laid again as it goes:
// the seeds as integers, the laid metres as doubles, then the empty metres.
void coordinate(uscita_binaria& u, const tracciato_piano& t, bool di_y) {
  int64_t m = 0;
  ripercorri(t, [&](const punto_tracciato& p) {
    double valore = di_y ? p.y : p.x;
    if (m++ < 2) {
      u.parola(variante_intero);
      u.intero(static_cast<int16_t>(valore));
    } else {
      char* elemento = u.spazio(10);
      uscita_binaria::poni(elemento, variante_double, 2);
      uscita_binaria::poni(elemento + 2, std::bit_cast<uint64_t>(valore), 8);
    }
  });
  for (; m <= t.ultimo_metro; ++m) u.parola(variante_vuota);
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

void scrivi_piano(const std::string& percorso, const tracciato_piano& tracciato) {
  file_nuovo file(percorso);
  uscita_binaria u(file);
  coordinate(u, tracciato, false);
  coordinate(u, tracciato, true);
  u.svuota();
  file.completa();
}

void scrivi_tabella(const std::string& percorso, const tabella_generale& tabella) {
  file_nuovo file(percorso);
  uscita_binaria u(file);
  for (const voce& v : tabella) voce_tabella(u, v);
  u.svuota();
  file.completa();
}

void scrivi_griglia(const std::string& percorso, const std::vector<cella>& griglia) {
  file_nuovo file(percorso);
  uscita_binaria u(file);
  for (const cella& c : griglia) cella_griglia(u, c);
  u.svuota();
  file.completa();
}
