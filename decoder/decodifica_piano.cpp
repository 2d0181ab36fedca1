// Decoder of the plan file: a run of elements, each a type code and its value (empty, a
// 16-bit integer or a double, as model/disposizione.h lays them out), of which the first
// half are the x of metres 0, 1, 2, ... and the second half the y of the same metres.
#include "decoder/decodifica.h"
#include "decoder/lettore_binario.h"
#include "model/disposizione.h"

namespace {

// The type code, then the value in the width its variant gives (model/disposizione.h).
elemento_piano leggi_elemento(lettore_binario& l) {
  elemento_piano e;
  e.offset = l.posizione();
  static_assert(byte_tipo_elemento == sizeof(uint16_t));
  e.tipo = l.parola("a type code");
  const variante_elemento* v = variante_del_tipo(e.tipo);
  if (v == nullptr) throw errore_decodifica(e.offset, "unknown type code " + std::to_string(e.tipo));
  switch (v->larghezza) {
    case 0: break;
    case sizeof(int16_t): e.valore = l.intero(v->nome); break;
    case sizeof(double): e.valore = l.reale(v->nome); break;
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
