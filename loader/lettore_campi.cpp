// Field reader: the exact rules for where a field ends and what a number may look like.
#include "loader/lettore_campi.h"

#include "model/guasto_caricamento.h"

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }
bool cifra(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void lettore_campi::guasto(const std::string& motivo) const {
  throw guasto_caricamento("line " + std::to_string(riga_) + ": " + motivo);
}

void lettore_campi::inizia_campo() {
  if (fine_file()) guasto("a field is due but the file has ended");
  salta_spazi();
  riga_campo_ = riga_;
  colonna_campo_ = static_cast<int>(pos_ - inizio_riga_) + 1;
}

void lettore_campi::salta_riga() {
  if (pos_ == inizio_riga_) return;
  while (!fine_file() && !a_fine_riga()) ++pos_;
  if (a_fine_riga()) consuma_fine_riga();
}

void lettore_campi::salta_spazi() {
  while (!fine_file() && spazio(testo_[pos_])) ++pos_;
}

bool lettore_campi::a_fine_riga() const { return !fine_file() && (testo_[pos_] == '\r' || testo_[pos_] == '\n'); }

void lettore_campi::consuma_fine_riga() {
  if (testo_[pos_] == '\r' && pos_ + 1 < testo_.size() && testo_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++riga_;
  inizio_riga_ = pos_;
}

std::string lettore_campi::leggi_testo() {
  inizia_campo();
  size_t inizio = pos_;
  while (!fine_file() && testo_[pos_] != ',' && !a_fine_riga()) ++pos_;
  std::string campo = testo_.substr(inizio, pos_ - inizio);
  if (a_fine_riga()) {
    consuma_fine_riga();
  } else if (!fine_file()) {
    ++pos_;  // the comma
  }
  return campo;
}

int64_t lettore_campi::leggi_numero(int64_t minimo, int64_t massimo, const char* variabile) {
  inizia_campo();
  int64_t valore = 0;
  bool cifre_presenti = false;
  if (!fine_file() && testo_[pos_] != ',' && !a_fine_riga()) {
    bool negativo = testo_[pos_] == '-';
    if (negativo) ++pos_;
    bool troppo_grande = false;
    while (!fine_file() && cifra(testo_[pos_])) {
      cifre_presenti = true;
      if (valore > 10'000'000'000) troppo_grande = true;
      else valore = valore * 10 + (testo_[pos_] - '0');
      ++pos_;
    }
    bool terminato = fine_file() || spazio(testo_[pos_]) || testo_[pos_] == ',' || a_fine_riga();
    if (!cifre_presenti || !terminato) guasto("a number is due");
    if (negativo) valore = -valore;
    if (troppo_grande || valore < minimo || valore > massimo) {
      guasto((troppo_grande ? std::string("a number") : std::to_string(valore)) + " does not fit " + variabile);
    }
    salta_spazi();
  } else {
    campi_vuoti_.emplace_back(riga_campo_, colonna_campo_);
  }
  if (a_fine_riga()) {
    consuma_fine_riga();
  } else if (!fine_file() && testo_[pos_] == ',') {
    ++pos_;
  }
  return valore;
}

uint8_t lettore_campi::leggi_byte() { return static_cast<uint8_t>(leggi_numero(0, 255, "a byte")); }

int16_t lettore_campi::leggi_intero() { return static_cast<int16_t>(leggi_numero(INT16_MIN, INT16_MAX, "16 bits")); }

int32_t lettore_campi::leggi_lungo() { return static_cast<int32_t>(leggi_numero(INT32_MIN, INT32_MAX, "32 bits")); }
