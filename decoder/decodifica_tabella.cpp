// Decoder of the general table file: exactly 87 entries of 34 bytes plus their text,
// with nothing after the last one.
#include "decoder/decodifica.h"
#include "decoder/lettore_binario.h"

namespace {

void leggi_voce(lettore_binario& l, voce& v) {
  for (const campo_voce& f : disposizione_voce) {
    if (f.larghezza != 0) {
      l.campo(v, f);
      continue;
    }
    size_t dove = l.posizione();
    int16_t lunghezza = l.intero("the text length");
    if (lunghezza < 0) throw errore_decodifica(dove, "negative text length " + std::to_string(lunghezza));
    v.testo = l.testo(static_cast<size_t>(lunghezza), "testo");
  }
}

}  // namespace

tabella_decodificata decodifica_tabella(std::string_view byte) {
  tabella_decodificata t;
  lettore_binario l(byte);
  for (size_t i = 0; i < t.voci.size(); ++i) {
    t.offset[i] = l.posizione();
    try {
      leggi_voce(l, t.voci[i]);
    } catch (const errore_decodifica& e) {
      throw errore_decodifica(
          e.offset, "entry " + std::to_string(i) + " (from byte " + std::to_string(t.offset[i]) + "): " + e.what());
    }
  }
  if (!l.finito()) {
    throw errore_decodifica(l.posizione(), "extra bytes after the last entry (86): " + std::to_string(l.rimasti()));
  }
  return t;
}
