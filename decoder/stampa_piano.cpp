// The plan, one sample every `passo` metres and the last metre: x and y with their type
// codes. The heading gives the number of metres.
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "decoder/stampa.h"
#include "model/testo_unicode.h"
#include "model/tracciato.h"

namespace {

const char* nome_variante(uint16_t tipo) {
  switch (tipo) {
    case variante_vuota: return "empty";
    case variante_intero: return "integer";
    default: return "double";
  }
}

std::string valore_testo(const elemento_piano& e) {
  if (e.tipo == variante_vuota) return "empty";
  std::ostringstream s;
  if (e.tipo == variante_intero) {
    s << static_cast<int64_t>(e.valore) << " (integer)";
  } else {
    s << std::fixed << std::setprecision(3) << e.valore << " (double)";
  }
  return s.str();
}

void campione_testo(size_t m, const elemento_piano& x, const elemento_piano& y, std::ostream& u) {
  u << "metre " << m << " (bytes " << x.offset << ", " << y.offset << "): x=" << valore_testo(x)
    << " y=" << valore_testo(y) << '\n';
}

void elemento_json(oggetto_json& j, const char* nome, const char* nome_tipo, const elemento_piano& e) {
  // A whole number stored as one is written as one; a double keeps its fraction's point.
  j[nome] = e.tipo == variante_vuota    ? oggetto_json(nullptr)
            : e.tipo == variante_intero ? oggetto_json(static_cast<int64_t>(e.valore))
                                        : oggetto_json(e.valore);
  j[nome_tipo] = nome_variante(e.tipo);
}

void campione_json(size_t m, const elemento_piano& x, const elemento_piano& y, std::ostream& u) {
  oggetto_json j = {{"metre", m}, {"offset_x", x.offset}, {"offset_y", y.offset}};
  elemento_json(j, "x", "x_type", x);
  elemento_json(j, "y", "y_type", y);
  u << riga_json(j) << '\n';
}

}  // namespace

void stampa_piano(const std::string& nome, size_t byte, const piano_decodificato& p, const opzioni_stampa& o,
                  std::ostream& u) {
  size_t metri = p.x.size();
  if (o.json) {
    u << riga_json({{"file", utf8_sicuro(nome)}, {"kind", "plan"}, {"bytes", byte}, {"metres", metri}}) << '\n';
  } else {
    u << nome << ": plan, " << metri << " metres (every x, then every y), " << byte << " bytes\n";
  }
  // Metres 0, passo, 2 passo, ... and the last metre.
  std::vector<size_t> campioni;
  for (size_t m = 0; m < metri; m += static_cast<size_t>(o.passo)) campioni.push_back(m);
  if (campioni.back() != metri - 1) campioni.push_back(metri - 1);
  for (size_t m : campioni) {
    if (o.json) {
      campione_json(m, p.x[m], p.y[m], u);
    } else {
      campione_testo(m, p.x[m], p.y[m], u);
    }
  }
}
