// Field reader: the exact rules for where a field ends and what a number may look like,
// and the places of the fields read.
#include "loader/lettore_campi.h"

#include <string_view>

#include "model/guasto_caricamento.h"

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }
bool cifra(char c) { return c >= '0' && c <= '9'; }
bool fine_riga(char c) { return c == '\r' || c == '\n'; }

// What stands in a field, in double quotes as written, but for a NUL byte, which a
// terminal shows as nothing and many a reader takes for the end of the text: \0.
std::string come_scritto(std::string_view campo) {
  std::string s = "\"";
  for (char c : campo) {
    if (c == '\0') {
      s += "\\0";
    } else {
      s += c;
    }
  }
  return s + "\"";
}

}  // namespace

std::string ordinale(int n) {
  int decine = n % 100, unita = n % 10;
  const char* suffisso = decine >= 11 && decine <= 13 ? "th"
                         : unita == 1                 ? "st"
                         : unita == 2                 ? "nd"
                         : unita == 3                 ? "rd"
                                                      : "th";
  return std::to_string(n) + suffisso;
}

// The empty fields of earlier records beyond the first ones are only counted: those of
// the record being read stay, for dimentica_campi_vuoti.
void lettore_campi::inizia_record(const forma_record& forma) {
  if (vuoti_.campi.size() > vuoti_tenuti) {
    vuoti_.saltati += vuoti_.campi.size() - vuoti_tenuti;
    vuoti_.ultimo_saltato = vuoti_.campi.back();
    vuoti_.campi.resize(vuoti_tenuti);
  }
  forma_ = &forma;
  indice_ = 1;
  riga_record_ = ultimo_.luogo.riga;
  fine_riga_record_ = ultimo_.luogo;
  fine_riga_record_.colonna = fine_riga_record_.colonna_fine;
  fuori_riga_.reset();
  luogo_chiave_ = ultimo_.luogo;
  campi_record_.clear();
}

// "the 2nd field of segnale, its position in metres," as the subject of a sentence; a
// field past the record's known ones, or of no record, is named by its place alone.
std::string lettore_campi::nome_campo() const {
  if (forma_ == nullptr) return "the field";
  std::string nome = "the " + ordinale(indice_) + " field of " + forma_->nome;
  size_t i = static_cast<size_t>(indice_ - 2);
  if (indice_ >= 2 && i < forma_->campi.size()) nome += std::string(", ") + forma_->campi[i] + ",";
  return nome;
}

// The failure of the field being read: `cosa` is what it must be, `trovato` what stands
// there, up to `fine`. A field read from a later line than its record's keyword is
// told at the record's line, where the field is missing.
void lettore_campi::guasto(const std::string& cosa, const std::string& trovato, size_t fine) const {
  bool fuori = forma_ != nullptr && riga_ != riga_record_ && indice_ >= 2;
  if (fuori) {
    std::string motivo = std::string(forma_->nome) + " ends after its " + ordinale(indice_ - 1) + " field: " +
                         nome_campo() + " " + cosa;
    if (trovato.empty()) {
      motivo += ", but the file ends first";
    } else {
      motivo += "; found " + trovato + " on line " + std::to_string(riga_);
    }
    throw guasto_caricamento(motivo, std::nullopt, std::nullopt, fine_riga_record_);
  }
  luogo_sorgente dove{"", riga_, static_cast<int>(inizio_campo_ - inizio_riga_) + 1, riga_,
                      static_cast<int>(fine - inizio_riga_) + 1};
  std::string motivo = forma_ == nullptr && trovato.empty() ? "a field" : nome_campo();
  motivo += " " + cosa + (trovato.empty() ? ", but the file ends first" : "; found " + trovato);
  throw guasto_caricamento(motivo, std::nullopt, std::nullopt, dove);
}

void lettore_campi::inizia_campo() {
  ++indice_;
  if (fine_file()) guasto("is due", "", pos_);
  salta_spazi();
  inizio_campo_ = pos_;
  ultimo_.luogo = {"", riga_, static_cast<int>(pos_ - inizio_riga_) + 1, riga_, static_cast<int>(pos_ - inizio_riga_) + 1};
  ultimo_.indice = indice_;
  ultimo_.testo.clear();
}

// The field read ends at `fine` (blanks after it not counted).
void lettore_campi::chiudi_campo(size_t fine) {
  while (fine > inizio_campo_ && spazio(testo_[fine - 1])) --fine;
  ultimo_.testo = testo_.substr(inizio_campo_, fine - inizio_campo_);
  ultimo_.luogo.colonna_fine = static_cast<int>(fine - inizio_riga_) + 1;
  if (forma_ == nullptr || indice_ < 2) return;
  campi_record_.push_back(ultimo_);
  if (ultimo_.luogo.riga == riga_record_) {
    fine_riga_record_.colonna = fine_riga_record_.colonna_fine = ultimo_.luogo.colonna_fine;
  } else if (!fuori_riga_) {
    fuori_riga_ = ultimo_;
  }
}

// Where the piece of text from `da` ends: at a comma, a line end or the file's end.
size_t lettore_campi::fine_pezzo(size_t da) const {
  while (da < testo_.size() && testo_[da] != ',' && !fine_riga(testo_[da])) ++da;
  return da;
}

void lettore_campi::salta_riga() {
  if (pos_ == inizio_riga_) return;
  while (!fine_file() && !a_fine_riga()) ++pos_;
  if (a_fine_riga()) consuma_fine_riga();
}

void lettore_campi::salta_spazi() {
  while (!fine_file() && spazio(testo_[pos_])) ++pos_;
}

bool lettore_campi::a_fine_riga() const { return !fine_file() && fine_riga(testo_[pos_]); }

void lettore_campi::consuma_fine_riga() {
  if (testo_[pos_] == '\r' && pos_ + 1 < testo_.size() && testo_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++riga_;
  inizio_riga_ = pos_;
}

std::optional<campo_letto> lettore_campi::campo_in_piu() const {
  if (pos_ == inizio_riga_ || fine_file()) return std::nullopt;
  size_t inizio = pos_;
  while (inizio < testo_.size() && spazio(testo_[inizio])) ++inizio;
  size_t fine = fine_pezzo(inizio);
  while (fine > inizio && spazio(testo_[fine - 1])) --fine;
  if (fine == inizio) {
    // An empty field: whatever stands after it on the line.
    if (fine_pezzo(inizio) >= testo_.size() || testo_[fine_pezzo(inizio)] != ',') return std::nullopt;
    size_t dopo = fine_pezzo(inizio) + 1;
    while (dopo < testo_.size() && spazio(testo_[dopo])) ++dopo;
    if (dopo >= testo_.size() || fine_riga(testo_[dopo])) return std::nullopt;
  }
  std::string pezzo = testo_.substr(inizio, fine - inizio);
  bool numero = !pezzo.empty() && (cifra(pezzo[0]) || (pezzo.size() > 1 && pezzo[0] == '-' && cifra(pezzo[1])));
  if (!numero && pezzo.find('-') != std::string::npos) return std::nullopt;
  campo_letto c;
  c.luogo = {"", riga_, static_cast<int>(inizio - inizio_riga_) + 1, riga_, static_cast<int>(fine - inizio_riga_) + 1};
  c.testo = pezzo;
  c.indice = indice_ + 1;
  return c;
}

std::string lettore_campi::leggi_testo() {
  inizia_campo();
  size_t inizio = pos_;
  while (!fine_file() && testo_[pos_] != ',' && !a_fine_riga()) ++pos_;
  std::string campo = testo_.substr(inizio, pos_ - inizio);
  chiudi_campo(pos_);
  if (a_fine_riga()) {
    consuma_fine_riga();
  } else if (!fine_file()) {
    ++pos_;  // the comma
  }
  return campo;
}

int64_t lettore_campi::leggi_numero(int64_t minimo, int64_t massimo) {
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
    if (!cifre_presenti || !terminato) {
      size_t fine = fine_pezzo(inizio_campo_);
      while (fine > inizio_campo_ && spazio(testo_[fine - 1])) --fine;
      guasto("must be a whole number", come_scritto(std::string_view(testo_).substr(inizio_campo_, fine - inizio_campo_)),
             fine);
    }
    if (negativo) valore = -valore;
    chiudi_campo(pos_);
    if (troppo_grande || valore < minimo || valore > massimo) {
      guasto("must be a whole number from " + std::to_string(minimo) + " to " + std::to_string(massimo),
             ultimo_.testo, pos_);
    }
    salta_spazi();
  } else {
    chiudi_campo(pos_);
    vuoti_.campi.emplace_back(ultimo_.luogo.riga, ultimo_.luogo.colonna);
  }
  if (a_fine_riga()) {
    consuma_fine_riga();
  } else if (!fine_file() && testo_[pos_] == ',') {
    ++pos_;
  }
  return valore;
}

uint8_t lettore_campi::leggi_byte() { return static_cast<uint8_t>(leggi_numero(0, 255)); }

int16_t lettore_campi::leggi_intero() { return static_cast<int16_t>(leggi_numero(INT16_MIN, INT16_MAX)); }

int32_t lettore_campi::leggi_lungo() { return static_cast<int32_t>(leggi_numero(INT32_MIN, INT32_MAX)); }
