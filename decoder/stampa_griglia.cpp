// The track grid, cell by cell. Without --all a cell is shown when it holds an object or
// a mark, or when one of its stretch values (tunnel, speed, gradient, adhesion) differs
// from the cell before: that is where a stretch begins. The speed limit and the gradient
// are shown in km/h and per mille beside their raw bytes; JSON adds them under keys of
// their own.
#include <string>
#include <string_view>

#include "decoder/stampa.h"
#include "model/descrizioni.h"
#include "model/membri.h"
#include "model/testo_unicode.h"

namespace {

bool ha_oggetto(const cella& c) {
  return c.tipo != 0 || c.dato1 != 0 || c.dato2 != 0 || c.dato3 != 0 || c.dato4 != 0 || c.tempo != 0 ||
         c.preavviso != 0;
}

bool cambia_tratto(const cella& c, const cella& prima) {
  return c.montagna != prima.montagna || c.velocita != prima.velocita || c.pendenza != prima.pendenza ||
         c.aderenza != prima.aderenza;
}

// Approach marks: 81 to 84 before a station stop, the others before a signal.
std::string nota_preavviso(int p) {
  if (p == 0) return "";
  if (p >= 81 && p <= 84) return "station approach mark " + std::to_string(p - 80);
  return "signal approach mark " + std::to_string(p % 10);
}

std::string note(size_t k, const cella& c) {
  std::string n = nota_preavviso(c.preavviso);
  if (k == 1) n += std::string(n.empty() ? "" : "; ") + "grid header: format stamp in dato1, plain checksum in dato2";
  return n;
}

void riga_testo(size_t k, const cella& c, std::ostream& u) {
  u << "cell " << k << " at " << k * 50 << " m (byte " << k * byte_cella << "): " << nome_tipo_cella(c.tipo) << " |";
  for (const membro& m : membri_cella(c)) {
    u << ' ' << m.nome << '=' << m.valore;
    if (m.nome == std::string_view("velocita")) u << " (" << velocita_kmh(c) << " km/h)";
    if (m.nome == std::string_view("pendenza")) u << " (" << pendenza_per_mille(c) << " \u2030)";
  }
  std::string n = note(k, c);
  if (!n.empty()) u << " | " << n;
  u << '\n';
}

void cella_json(size_t k, const cella& c, std::ostream& u) {
  oggetto_json j = {{"cell", k}, {"metres", k * 50}, {"offset", k * byte_cella}, {"kind", nome_tipo_cella(c.tipo)}};
  for (const membro& m : membri_cella(c)) j[m.nome] = m.valore;
  j["velocita_kmh"] = velocita_kmh(c);
  j["pendenza_per_mille"] = pendenza_per_mille(c);
  u << riga_json(j) << '\n';
}

}  // namespace

void stampa_griglia(const std::string& nome, const std::vector<cella>& griglia, const opzioni_stampa& o,
                    std::ostream& u) {
  size_t byte = griglia.size() * byte_cella;
  if (o.json) {
    u << riga_json({{"file", utf8_sicuro(nome)}, {"kind", "grid"}, {"bytes", byte}, {"cells", griglia.size()}})
      << '\n';
  } else {
    u << nome << ": track grid, " << griglia.size() << " cells of 50 m, " << byte << " bytes\n";
  }
  cella prima{};
  for (size_t k = 0; k < griglia.size(); ++k) {
    const cella& c = griglia[k];
    if (o.tutto || ha_oggetto(c) || cambia_tratto(c, prima)) {
      if (o.json) {
        cella_json(k, c, u);
      } else {
        riga_testo(k, c, u);
      }
    }
    prima = c;
  }
}
