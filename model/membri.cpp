// Members of a cell and of an entry, in file order, with their widths: read off the
// layouts of model/disposizione.h.
#include "model/membri.h"

#include "model/disposizione.h"

std::array<membro, 11> membri_cella(const cella& c) {
  std::array<membro, 11> m;
  for (size_t i = 0; i < m.size(); ++i) {
    const campo_cella& f = disposizione_cella[i];
    m[i] = {f.nome, f.valore(c), f.larghezza};
  }
  return m;
}

std::array<membro, 15> membri_voce(const voce& v) {
  std::array<membro, 15> m;
  size_t i = 0;
  for (const campo_voce& f : disposizione_voce) {
    if (f.larghezza != 0) m[i++] = {f.nome, f.valore(v), f.larghezza};
  }
  return m;
}
