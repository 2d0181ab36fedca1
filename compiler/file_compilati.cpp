// Writers of the three compiled files. Each file is written anew in one pass, member by
// member in the order of the layouts (model/disposizione.h), with no header, count or
// padding.
#include "compiler/file_compilati.h"

#include <algorithm>
#include <bit>

#include "compiler/uscita_binaria.h"
#include "model/disposizione.h"

namespace {

// One element of the plan (model/disposizione.h): its type code, then its value in that
// type's width. The seeds are integers, every later metre a double.
inline void elemento(uscita_binaria& u, int64_t metro, double valore) {
  if (metro < semi_piano) {
    static_assert(elemento_intero.larghezza == sizeof(int16_t));
    u.parola(elemento_intero.tipo);
    u.intero(static_cast<int16_t>(valore));
    return;
  }
  static_assert(elemento_double.larghezza == sizeof(double));
  char* e = u.spazio(byte_elemento(elemento_double));
  uscita_binaria::poni(e, elemento_double.tipo, byte_tipo_elemento);
  uscita_binaria::poni(e + byte_tipo_elemento, std::bit_cast<uint64_t>(valore), elemento_double.larghezza);
}

// The bytes of each half of the plan file: integer seeds, laid doubles, empty metres.
uint64_t dimensione_meta(const tracciato_piano& t) {
  auto posati = static_cast<uint64_t>(t.metri_posati);
  uint64_t semi = std::min<uint64_t>(posati, semi_piano);
  return byte_elemento(elemento_intero) * semi + byte_elemento(elemento_double) * (posati - semi) +
         byte_elemento(elemento_vuoto) * (static_cast<uint64_t>(t.ultimo_metro) + 1 - posati);
}

// One member of a record, in its width; an entry's text as its length and its bytes.
template <typename R>
void campo(uscita_binaria& u, const R& r, const campo_binario<R>& f) {
  switch (f.larghezza) {
    case 1: u.byte(r.*f.byte); break;
    case 2: u.intero(r.*f.intero); break;
    case 4: u.lungo(r.*f.lungo); break;
  }
}

void voce_tabella(uscita_binaria& u, const voce& v) {
  for (const campo_voce& f : disposizione_voce) {
    if (f.larghezza != 0) {
      campo(u, v, f);
    } else {
      u.intero(static_cast<int16_t>(v.testo.size()));
      u.testo(v.testo);
    }
  }
}

void cella_griglia(uscita_binaria& u, const cella& c) {
  for (const campo_cella& f : disposizione_cella) campo(u, c, f);
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
  static_assert(elemento_vuoto.larghezza == 0);
  for (; metro <= tracciato.ultimo_metro; ++metro) {
    x.parola(elemento_vuoto.tipo);
    y.parola(elemento_vuoto.tipo);
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
