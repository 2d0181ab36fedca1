// Decoder of the plan file: a run of tagged values (type code 0 empty, 2 a 16-bit
// integer, 5 a double), of which the first half are the x of metres 0, 1, 2, ... and
// the second half the y of the same metres.
#include "model/tracciato.h"
#include "tool/decodifica.h"
#include "tool/lettore_binario.h"

namespace {

elemento_piano leggi_elemento(lettore_binario& l) {
  elemento_piano e;
  e.offset = l.posizione();
  e.tipo = l.parola("a type code");
  switch (e.tipo) {
    case variante_vuota: break;
    case variante_intero: e.valore = l.intero("a 16-bit value"); break;
    case variante_double: e.valore = l.reale("a double"); break;
    default: throw errore_decodifica(e.offset, "unknown type code " + std::to_string(e.tipo));
  }
  return e;
}

}  // namespace

piano_decodificato decodifica_piano(std::string_view byte) {
  if (byte.empty()) throw errore_decodifica(0, "empty file: a plan has at least one metre");
  std::vector<elemento_piano> elementi;
  lettore_binario l(byte);
  while (!l.finito()) {
    try {
      elementi.push_back(leggi_elemento(l));
    } catch (const errore_decodifica& e) {
      throw errore_decodifica(e.offset, "element " + std::to_string(elementi.size()) + ": " + e.what());
    }
  }
  if (elementi.size() % 2 != 0) {
    throw errore_decodifica(
        byte.size(), std::to_string(elementi.size()) + " elements, an odd number: the x and y halves cannot match");
  }
  auto meta = static_cast<std::ptrdiff_t>(elementi.size() / 2);
  piano_decodificato p;
  p.x.assign(elementi.begin(), elementi.begin() + meta);
  p.y.assign(elementi.begin() + meta, elementi.end());
  return p;
}
