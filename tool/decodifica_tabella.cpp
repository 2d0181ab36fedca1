// Decoder of the general table file: exactly 87 entries of 34 bytes plus their text,
// with nothing after the last one.
#include "tool/decodifica.h"
#include "tool/lettore_binario.h"

namespace {

void leggi_voce(lettore_binario& l, voce& v) {
  v.codice = l.byte("codice");
  v.valore_a = l.lungo("valore_a");
  v.valore_b = l.lungo("valore_b");
  v.valore_c = l.lungo("valore_c");
  v.marca = l.byte("marca");
  size_t dove = l.posizione();
  int16_t lunghezza = l.intero("the text length");
  if (lunghezza < 0) throw errore_decodifica(dove, "negative text length " + std::to_string(lunghezza));
  v.testo = l.testo(static_cast<size_t>(lunghezza), "testo");
  v.intero_a = l.intero("intero_a");
  v.intero_b = l.intero("intero_b");
  v.intero_c = l.intero("intero_c");
  v.intero_d = l.intero("intero_d");
  v.intero_e = l.intero("intero_e");
  v.bit_a = l.byte("bit_a");
  v.bit_b = l.byte("bit_b");
  v.bit_c = l.byte("bit_c");
  v.bit_d = l.byte("bit_d");
  v.valore_d = l.lungo("valore_d");
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
