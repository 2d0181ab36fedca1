// Explaining a recorded code: the error line, then notes on what stands in the way. The
// notes read the grid and the table as the run left them; a refused placement names
// the cell that the store found occupied, and the passes' codes are traced from the
// position they record to the signal or slowdown that they concern.
#include "tool/spiegazione.h"

#include <algorithm>
#include <set>

#include "driver/codici_errore.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "model/regole_griglia.h"
#include "tool/descrizioni.h"
#include "tool/testo_unicode.h"

namespace {

// Codes that go with a position in metres; the others leave the position unset.
const std::set<int32_t> codici_con_posizione = {6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22};

class spiegazione {
 public:
  spiegazione(const Form1& form, const std::string& sorgenti, std::ostream& u) : f_(form), sorgenti_(sorgenti), u_(u) {}

  void scrivi();

 private:
  std::string luogo(const luogo_sorgente& l) const;
  void nota(const luogo_sorgente& dove, const std::string& testo) { u_ << luogo(dove) << ": note: " << testo << '\n'; }
  bool cella_esiste(int64_t k) const { return k >= 0 && k < static_cast<int64_t>(f_.griglia.size()); }
  const cella& c(int64_t k) const { return f_.griglia[static_cast<size_t>(k)]; }
  bool libera(int64_t k) const { return cella_esiste(k) && cella_libera(c(k)); }
  luogo_sorgente origine(int64_t k, const luogo_sorgente& altrimenti) const;
  void nota_cella(int64_t k, const std::string& quale);
  int ultima_stazione() const;
  luogo_sorgente luogo_stazione(int i) const;
  std::string nome_stazione(int i) const;

  luogo_sorgente luogo_principale() const;
  void note_caricamento();
  void note_stazioni();
  void nota_progressive();
  void note_passo_a(int64_t d);
  void note_passo_b(int64_t i);
  void note_passo_c_d(int64_t t);
  int64_t inizio_prima_di(int64_t t) const;

  const Form1& f_;
  const std::string& sorgenti_;
  std::ostream& u_;
};

std::string spiegazione::luogo(const luogo_sorgente& l) const {
  std::string file = percorso_in(sorgenti_, l.file);
  return l.riga > 0 ? file + ":" + std::to_string(l.riga) : file;
}

luogo_sorgente spiegazione::origine(int64_t k, const luogo_sorgente& altrimenti) const {
  auto o = f_.origine_celle.find(k);
  return o == f_.origine_celle.end() ? altrimenti : o->second;
}

// "cell K[, quale,] holds ...", placed where the object of the cell was read.
void spiegazione::nota_cella(int64_t k, const std::string& quale) {
  if (!cella_esiste(k)) return;
  std::string chi = "cell " + std::to_string(k) + (quale.empty() ? "" : ", " + quale + ",");
  nota(origine(k, luogo_principale()), chi + " holds " + descrivi_cella(c(k), f_.tabella));
}

// The slowdown start at or before cell t: the slowdown that a code of pass C or D concerns.
int64_t spiegazione::inizio_prima_di(int64_t t) const {
  for (int64_t k = std::min<int64_t>(t, static_cast<int64_t>(f_.griglia.size()) - 1); k >= 0; --k) {
    if (c(k).tipo == cella_inizio_rallentamento) return k;
  }
  return -1;
}

luogo_sorgente spiegazione::luogo_principale() const {
  int32_t codice = f_.codice_errore;
  if (codice < 11 || codice > 13) return f_.luogo_errore;
  int64_t k = f_.posizione_errore / 50;
  if (codice == 13) k = inizio_prima_di(k);
  luogo_sorgente servizio{nome_file_servizio(f_.nome_linea, f_.nome_treno), 0};
  return origine(k, servizio);
}

int spiegazione::ultima_stazione() const {
  int ultima = 0;
  for (int i = 1; i <= primo_cartello; ++i) {
    if (ruolo_di(i, f_.tabella) == ruolo_voce::stazione) ultima = i;
  }
  return ultima;
}

std::string spiegazione::nome_stazione(int i) const {
  const std::string& nome = f_.tabella[static_cast<size_t>(i)].testo;
  return "station " + std::to_string(i) + (nome.empty() ? "" : ", " + in_utf8(nome));
}

// Where a station was read: the record that laid its stop cell, when it has one.
luogo_sorgente spiegazione::luogo_stazione(int i) const {
  for (size_t k = 0; k < f_.griglia.size(); ++k) {
    if (f_.griglia[k].tipo == cella_fermata && f_.griglia[k].dato1 == i)
      return origine(static_cast<int64_t>(k), f_.luogo_errore);
  }
  return f_.luogo_errore;
}

void spiegazione::scrivi() {
  int32_t codice = f_.codice_errore;
  u_ << luogo(luogo_principale()) << ": error " << codice << ": " << significato_codice(codice);
  if (codici_con_posizione.contains(codice)) u_ << ", at " << f_.posizione_errore << " m";
  if (f_.griglia.empty()) u_ << "; no track grid, nothing compiled";
  u_ << '\n';
  if (codice == 11) {
    note_passo_a(f_.posizione_errore / 50);
  } else if (codice == 12) {
    note_passo_b(f_.posizione_errore / 50);
  } else if (codice == 13) {
    note_passo_c_d(f_.posizione_errore / 50);
  } else {
    note_caricamento();
  }
}

void spiegazione::note_caricamento() {
  const luogo_sorgente& qui = f_.luogo_errore;
  const voce& treno = f_.tabella[voce_testata_treno];
  switch (f_.codice_errore) {
    case 1: nota(qui, "the route length is " + std::to_string(f_.tabella[voce_dati_treno].valore_b) + " m"); break;
    case 2: nota_progressive(); break;
    case 3:
    case 4:
      nota(qui,
           "cab signalling from " + std::to_string(treno.valore_a) + " m to " + std::to_string(treno.valore_b) + " m");
      break;
    case 6:
    case 7:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21: nota_cella(f_.cella_rifiutata, ""); break;
    case 10:
    case 22:
    case 24: note_stazioni(); break;
    case 15:
      if (!f_.griglia.empty()) {
        int64_t fine = static_cast<int64_t>(f_.n_celle) * 50;
        nota(qui, "the track grid has cells 0 to " + std::to_string(f_.n_celle) + ": a position may be at most " +
                      std::to_string(fine - 100) + " m, a station's " + std::to_string(fine - 800) + " m");
      }
      break;
    case 25:
      if (!f_.motivo_guasto.empty()) nota(qui, f_.motivo_guasto);
      break;
    case 103:
      nota(qui, f_.tracciato.metri_posati > 1000000 ? "the plan has reached metre 1000000"
                                                    : "the curve key holds none of the digits 1 to 6");
      break;
    default: break;
  }
}

void spiegazione::nota_progressive() {
  for (int i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
    const voce& v = f_.tabella[static_cast<size_t>(i)];
    if (v.valore_a % 50 == 0 && v.valore_b % 50 == 0) continue;
    nota(f_.luogo_errore, "kilometre-post entry " + std::to_string(i) + " holds position " +
                              std::to_string(v.valore_a) + " m and value " + std::to_string(v.valore_b));
  }
}

// Codes 10, 22 and 24 come after the station was stored: it is the last one.
void spiegazione::note_stazioni() {
  int n = ultima_stazione();
  if (n == 0) return;
  const voce& s = f_.tabella[static_cast<size_t>(n)];
  if (f_.codice_errore == 24) {
    nota(f_.luogo_errore, nome_stazione(n) + ": its area ends at " + std::to_string(s.valore_b) + " m");
  } else if (f_.codice_errore == 22 && n > 1) {
    const voce& prima = f_.tabella[static_cast<size_t>(n - 1)];
    nota(luogo_stazione(n - 1), nome_stazione(n - 1) + " occupies " + std::to_string(prima.valore_a) + " to " +
                                    std::to_string(prima.valore_b) + " m, and " + nome_stazione(n) + " begins at " +
                                    std::to_string(s.valore_a) + " m");
  } else if (f_.codice_errore == 10) {
    int cartello = n + 1;
    while (cartello <= primo_cartello && ruolo_di(cartello, f_.tabella) != ruolo_voce::cartello) ++cartello;
    nota(f_.luogo_errore, "stations fill entries 1 to " + std::to_string(n) + " and signboards entries " +
                              std::to_string(cartello) + " to 80 of the table");
  }
}

// Code 11: a signal in cell d behind a warning board, both cells before it taken.
void spiegazione::note_passo_a(int64_t d) {
  nota_cella(d, "");
  for (int64_t w = d + 1; w <= d + 20 && cella_esiste(w); ++w) {
    if (c(w).tipo == cella_avviso_rallentamento) {
      nota_cella(w, "less than 1000 m after the signal");
      break;
    }
  }
  nota_cella(d - 1, "just before the signal");
  nota_cella(d - 2, "two cells before the signal");
}

// Code 12: a group of three candidates before the start in cell i all taken.
void spiegazione::note_passo_b(int64_t i) {
  static constexpr int64_t gruppi[3][3] = {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}};
  nota_cella(i, "");
  for (const auto& g : gruppi) {
    auto occupata = [&](int64_t distanza) { return cella_esiste(i - distanza) && !libera(i - distanza); };
    if (!std::all_of(std::begin(g), std::end(g), occupata)) continue;
    for (int64_t distanza : g) nota_cella(i - distanza, std::to_string(distanza * 50) + " m before the start");
  }
}

// Code 13: inside the slowdown (pass C) the due cell t and both its neighbours are
// taken; after it (pass D, t the end cell) both cells before the first signal are.
void spiegazione::note_passo_c_d(int64_t t) {
  nota_cella(inizio_prima_di(t), "");
  if (cella_esiste(t) && c(t).tipo == cella_fine_rallentamento) {
    for (int64_t j = t; j <= t + 12 && cella_esiste(j); ++j) {
      if (c(j).tipo != cella_segnale) continue;
      if (libera(j - 1) || libera(j - 2)) break;
      nota_cella(j, "the first signal after the end");
      nota_cella(j - 1, "just before it");
      nota_cella(j - 2, "two cells before it");
      return;
    }
  }
  nota_cella(t - 1, "");
  nota_cella(t, "where a code point was due");
  nota_cella(t + 1, "");
}

}  // namespace

void spiega_codice(const Form1& form, const std::string& cartella_sorgenti, std::ostream& errori) {
  spiegazione(form, cartella_sorgenti, errori).scrivi();
}
