// The general table, one block per entry: its number, offset, size and role, then every
// member with what it holds in an entry of that role. Without --all only the entries in
// use are shown, and the fixed entries 81 to 86 always.
#include <iomanip>
#include <string>

#include "decoder/stampa.h"
#include "model/descrizioni.h"
#include "model/membri.h"
#include "model/testo_unicode.h"

namespace {

std::string ora_del_giorno(int64_t secondi) {
  auto due = [](int64_t n) {
    std::string cifre = std::to_string(n);
    return cifre.size() < 2 ? "0" + cifre : cifre;
  };
  return due(secondi / 3600) + ":" + due(secondi / 60 % 60) + ":" + due(secondi % 60);
}

bool da_mostrare(int i, const voce& v, const opzioni_stampa& o) {
  return o.tutto || i >= voce_progressiva_tre || voce_usata(v);
}

// One member on a line: its offset, name and value, and what it holds.
void membro_testo(size_t offset, const std::string& nome, const std::string& valore, std::string significato,
                  std::ostream& u) {
  u << "  byte " << std::left << std::setw(6) << offset << ' ' << std::setw(9) << nome << "= " << valore;
  if (!significato.empty()) u << "  (" << significato << ")";
  u << std::right << '\n';
}

void blocco_testo(int i, size_t offset, size_t byte, const voce& v, ruolo_voce r, std::ostream& u) {
  u << "entry " << i << " at byte " << offset << ", " << byte << " bytes: " << nome_ruolo(r) << '\n';
  auto membri = membri_voce(v);
  for (size_t m = 0; m < membri.size(); ++m) {
    if (m == membri_prima_del_testo) {
      membro_testo(offset, "length", std::to_string(v.testo.size()), "of the text", u);
      membro_testo(offset + 2, "testo", tra_virgolette(v.testo), significato_membro(r, "testo"), u);
      offset += 2 + v.testo.size();
    }
    std::string significato = significato_membro(r, membri[m].nome);
    if (r == ruolo_voce::stazione && m + 1 == membri.size() && v.valore_d >= 0) {
      significato += ": " + ora_del_giorno(v.valore_d);
    }
    membro_testo(offset, membri[m].nome, std::to_string(membri[m].valore), significato, u);
    offset += membri[m].larghezza;
  }
}

void voce_json(int i, size_t offset, const voce& v, ruolo_voce r, std::ostream& u) {
  oggetto_json j = {{"entry", i}, {"offset", offset}, {"role", nome_ruolo(r)}};
  auto membri = membri_voce(v);
  for (size_t m = 0; m < membri.size(); ++m) {
    if (m == membri_prima_del_testo) j["testo"] = in_utf8(v.testo);
    j[membri[m].nome] = membri[m].valore;
  }
  u << riga_json(j) << '\n';
}

}  // namespace

void stampa_tabella(const std::string& nome, size_t byte, const tabella_decodificata& t, const opzioni_stampa& o,
                    std::ostream& u) {
  int stazioni = 0;
  int cartelli = 0;
  for (int i = 0; i < voci_tabella; ++i) {
    ruolo_voce r = ruolo_di(i, t.voci);
    stazioni += r == ruolo_voce::stazione;
    cartelli += r == ruolo_voce::cartello;
  }
  if (o.json) {
    u << riga_json({{"file", utf8_sicuro(nome)},
                    {"kind", "table"},
                    {"bytes", byte},
                    {"entries", voci_tabella},
                    {"stations", stazioni},
                    {"signboards", cartelli}})
      << '\n';
  } else {
    u << nome << ": general table, " << voci_tabella << " entries, " << byte << " bytes: " << stazioni << " stations, "
      << cartelli << " signboards\n";
  }
  for (int i = 0; i < voci_tabella; ++i) {
    auto k = static_cast<size_t>(i);
    const voce& v = t.voci[k];
    if (!da_mostrare(i, v, o)) continue;
    ruolo_voce r = ruolo_di(i, t.voci);
    if (o.json) {
      voce_json(i, t.offset[k], v, r, u);
    } else {
      size_t fine = k + 1 < t.offset.size() ? t.offset[k + 1] : byte;
      blocco_testo(i, t.offset[k], fine - t.offset[k], v, r, u);
    }
  }
}
