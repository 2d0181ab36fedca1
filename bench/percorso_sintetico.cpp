// Builds long routes by repeating the built-in one, row by row, section by section.
#include "bench/percorso_sintetico.h"

#include <sstream>
#include <vector>

namespace {

constexpr int32_t periodo = 228000;
constexpr int massimo_stazioni = 70;

std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> r;
  std::istringstream in(testo);
  for (std::string riga; std::getline(in, riga);) {
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    r.push_back(riga);
  }
  return r;
}

std::vector<std::string> campi(const std::string& riga) {
  std::vector<std::string> c;
  std::istringstream in(riga);
  for (std::string campo; std::getline(in, campo, ',');) c.push_back(campo);
  return c;
}

// A value as the writer puts it after a comma: one blank, then the number.
std::string valore(int64_t v) {
  std::string campo = " ";
  campo += std::to_string(v);
  return campo;
}

std::string unisci(const std::vector<std::string>& c) {
  std::string riga;
  for (size_t i = 0; i < c.size(); ++i) {
    if (i > 0) riga += ',';
    riga += c[i];
  }
  return riga;
}

// How far a row reaches past its position (curve and slowdown lengths, mountain ends,
// station areas), so that a row is kept only when it ends inside the route.
int64_t estensione(const std::string& chiave, const std::vector<std::string>& c) {
  if (chiave.rfind("curva", 0) == 0) return std::stoll(c[2]);
  if (chiave == "rallentamento") return std::stoll(c[3]);
  if (chiave == "stazione") return std::stoll(c[3]);
  return 0;
}

struct sezione {
  std::string intestazione;
  std::vector<std::string> righe;
};

std::vector<sezione> sezioni(const std::string& testo) {
  std::vector<sezione> s;
  for (const std::string& r : righe(testo)) {
    if (!r.empty() && r[0] == '[') s.push_back({r, {}});
    else s.back().righe.push_back(r);
  }
  return s;
}

std::string ripeti(const std::string& testo, int32_t lunghezza) {
  std::string uscita;
  int stazioni = 0;
  for (const sezione& s : sezioni(testo)) {
    uscita += s.intestazione + "\r\n";
    bool corpo = s.intestazione != "[generale]";
    for (int32_t inizio = 0; inizio == 0 || (corpo && inizio < lunghezza); inizio += periodo) {
      for (const std::string& r : s.righe) {
        std::vector<std::string> c = campi(r);
        if (!corpo) {
          if (c[0] == "lunghezza percorso") c[1] = valore(lunghezza);
          uscita += unisci(c) + "\r\n";
          continue;
        }
        if (c[0] == "cartello_indicatore" && inizio > 0) continue;
        int64_t posizione = std::stoll(c[1]) + inizio;
        int64_t fine = c[0] == "montagna" ? std::stoll(c[2]) + inizio : posizione + estensione(c[0], c);
        if (fine >= lunghezza) continue;
        if (c[0] == "stazione" && ++stazioni > massimo_stazioni) continue;
        c[1] = valore(posizione);
        if (c[0] == "montagna") c[2] = valore(fine);
        uscita += unisci(c) + "\r\n";
      }
    }
  }
  return uscita;
}

}  // namespace

sorgenti_sintetiche percorso_sintetico(int32_t lunghezza, const std::string& linea_incorporata,
                                       const std::string& servizio_incorporato) {
  return {ripeti(linea_incorporata, lunghezza), ripeti(servizio_incorporato, lunghezza)};
}
