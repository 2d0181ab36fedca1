// The code placement passes: after the load, code points (cells of kind 12 carrying the
// code 180) are added before the signals that stand up to 1000 m behind a slowdown
// warning board (pass A), in three groups before each slowdown start (pass B), every
// 400 m inside each slowdown slower than 110 km/h (pass C) and just before the first
// signal within 600 m after its end (pass D).
//
// A failed placement records its code and position and the passes carry on; its
// diagnostic is placed at the record of the signal or slowdown concerned, with notes on
// the cells that stood in the way. No pass reads or writes past the grid's last cell: a walk that would pass it ends there, and
// a candidate beyond it counts as occupied.
#include <algorithm>

#include "compiler/compila.h"
#include "model/regole_griglia.h"

namespace {

constexpr int16_t codice_punto = 180;

// The passes over one loaded scenario. A note on a cell that no record laid is placed
// where the problem recorded before it was placed (at first, where the load ended).
class passi {
 public:
  passi(esito_caricamento& e, const std::string& file_servizio)
      : e_(e), griglia_(e.scenario.griglia), n_celle_(e.scenario.n_celle), file_servizio_(file_servizio),
        luogo_(e.luogo_finale) {}
  void esegui();

 private:
  cella& cella_passi(int64_t c) { return griglia_[static_cast<size_t>(c)]; }
  bool libera_per_passi(int64_t c) { return c >= 0 && c <= n_celle_ && cella_libera(cella_passi(c)); }
  void metti_punto_codice(int64_t c);
  void registra_errore(int32_t codice, int64_t cella, int64_t oggetto, std::vector<nota_diagnostica> note);
  std::vector<nota_diagnostica> note_celle(std::initializer_list<std::pair<int64_t, const char*>> celle);
  void passo_a(int64_t i);
  void passo_b(int64_t i);
  std::optional<int64_t> passo_c(int64_t i);
  std::optional<int64_t> cerca_fine(int64_t i);
  void passo_d(int64_t e, int64_t i);

  esito_caricamento& e_;
  std::vector<cella>& griglia_;
  const int64_t n_celle_;
  const std::string& file_servizio_;
  luogo_sorgente luogo_;
};

}  // namespace

void passi_codici(esito_caricamento& e, const std::string& file_servizio) { passi(e, file_servizio).esegui(); }

void passi::esegui() {
  for (int64_t i = 1; i <= n_celle_ - 2; ++i) {
    uint8_t tipo = griglia_[static_cast<size_t>(i)].tipo;
    if (tipo == cella_avviso_rallentamento) {
      passo_a(i);
    } else if (tipo == cella_inizio_rallentamento) {
      passo_b(i);
      std::optional<int64_t> fine = griglia_[static_cast<size_t>(i)].dato1 < 110 ? passo_c(i) : cerca_fine(i);
      if (fine) passo_d(*fine, i);
    }
  }
}

void passi::metti_punto_codice(int64_t c) {
  cella_passi(c).tipo = punto_codice;
  cella_passi(c).dato1 = codice_punto;
}

// Code `codice` at cell `cella`, about the object in cell `oggetto`.
void passi::registra_errore(int32_t codice, int64_t cella, int64_t oggetto, std::vector<nota_diagnostica> note) {
  auto o = e_.origine_celle.find(oggetto);
  luogo_ = o != e_.origine_celle.end() ? o->second : luogo_sorgente{file_servizio_, 0, 0};
  e_.diagnostiche.push_back(errore_registrato(codice, cella * 50, luogo_, std::move(note)));
}

std::vector<nota_diagnostica> passi::note_celle(std::initializer_list<std::pair<int64_t, const char*>> celle) {
  std::vector<nota_diagnostica> note;
  for (auto [k, quale] : celle) {
    if (k >= 0 && k <= n_celle_) note.push_back(nota_cella(e_, k, quale, luogo_));
  }
  return note;
}

// Pass A: every signal within the 20 cells behind the warning board in cell i, nearest
// first, gets a code point in one of the two cells before it; an existing code point
// there is lowered to 180 when no free cell is left.
void passi::passo_a(int64_t i) {
  for (int64_t k = 1; k <= 20; ++k) {
    int64_t d = i - k;
    if (d < 3) return;
    if (cella_passi(d).tipo != cella_segnale) continue;
    if (libera_per_passi(d - 1)) {
      metti_punto_codice(d - 1);
    } else if (libera_per_passi(d - 2)) {
      metti_punto_codice(d - 2);
    } else if (cella_passi(d - 1).tipo == punto_codice) {
      cella_passi(d - 1).dato1 = std::min(codice_punto, cella_passi(d - 1).dato1);
    } else if (cella_passi(d - 2).tipo == punto_codice) {
      cella_passi(d - 2).dato1 = std::min(codice_punto, cella_passi(d - 2).dato1);
    } else {
      registra_errore(11, d, d,
                      note_celle({{d, ""},
                                  {i, "less than 1000 m after the signal"},
                                  {d - 1, "just before the signal"},
                                  {d - 2, "two cells before the signal"}}));
    }
  }
}

// Pass B: three groups of candidates 250 to 1000 m before the slowdown start in cell i;
// each group takes the first free one.
void passi::passo_b(int64_t i) {
  struct gruppo {
    int64_t dopo;
    int64_t candidati[3];
  };
  static constexpr gruppo gruppi[] = {{7, {5, 6, 7}}, {13, {11, 12, 13}}, {20, {18, 19, 20}}};
  for (const gruppo& g : gruppi) {
    if (i <= g.dopo) continue;
    bool messo = false;
    for (int64_t distanza : g.candidati) {
      if (!libera_per_passi(i - distanza)) continue;
      metti_punto_codice(i - distanza);
      messo = true;
      break;
    }
    if (!messo) {
      std::string metri[3];
      for (size_t n = 0; n < 3; ++n) metri[n] = std::to_string(g.candidati[n] * 50) + " m before the start";
      registra_errore(12, i, i,
                      note_celle({{i, ""},
                                  {i - g.candidati[0], metri[0].c_str()},
                                  {i - g.candidati[1], metri[1].c_str()},
                                  {i - g.candidati[2], metri[2].c_str()}}));
    }
  }
}

// Pass C: walks from the start in cell i to the slowdown's end, placing a code point
// every 8 cells counted from the point actually placed (the due cell, else the one
// before, else the one after). Returns the end cell, or nothing when the walk reaches
// the grid's last cell first.
std::optional<int64_t> passi::passo_c(int64_t i) {
  int64_t contatore = 0;
  for (int64_t t = i;;) {
    if (t >= n_celle_) return std::nullopt;
    ++t;
    ++contatore;
    if (contatore == 8) {
      if (libera_per_passi(t)) {
        metti_punto_codice(t);
        contatore = 0;
      } else if (libera_per_passi(t - 1)) {
        metti_punto_codice(t - 1);
        contatore = 1;
      } else if (libera_per_passi(t + 1)) {
        metti_punto_codice(t + 1);
        contatore = -1;
      } else {
        registra_errore(13, t, i, note_celle({{i, ""}, {t - 1, ""}, {t, "where a code point was due"}, {t + 1, ""}}));
      }
    }
    if (cella_passi(t).tipo == cella_fine_rallentamento) return t;
  }
}

// The end cell of a slowdown fast enough to need no code points inside: the first
// slowdown end after cell i, bounded as pass C's walk.
std::optional<int64_t> passi::cerca_fine(int64_t i) {
  for (int64_t t = i + 1; t <= n_celle_; ++t) {
    if (cella_passi(t).tipo == cella_fine_rallentamento) return t;
  }
  return std::nullopt;
}

// Pass D: the first signal within 12 cells after the end cell e of the slowdown that
// starts in cell i gets a code point in one of the two cells before it.
void passi::passo_d(int64_t e, int64_t i) {
  int64_t s = 0;
  for (int64_t j = e; j <= e + 12 && j <= n_celle_; ++j) {
    if (cella_passi(j).tipo == cella_segnale) {
      s = j - 1;
      break;
    }
  }
  if (s <= 0) return;
  if (libera_per_passi(s)) {
    metti_punto_codice(s);
  } else if (libera_per_passi(s - 1)) {
    metti_punto_codice(s - 1);
  } else {
    registra_errore(13, e, i,
                    note_celle({{i, ""},
                                {s + 1, "the first signal after the end"},
                                {s, "just before it"},
                                {s - 1, "two cells before it"}}));
  }
}
