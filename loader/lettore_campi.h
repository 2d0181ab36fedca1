// The field reader shared by both source files.
//
// It reads a file as one stream of comma-separated fields, not as lines. A field ends
// at a comma or a line end (CR LF, lone LF or lone CR), which is consumed with it; a
// numeric field also ends at a blank, so numbers may stand apart on one line. Blanks
// are space and tab. Every failure (no character left, a malformed number, a value
// outside its variable's width) is a `guasto_caricamento`.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class lettore_campi {
 public:
  explicit lettore_campi(std::string contenuto) : testo_(std::move(contenuto)) {}

  // True exactly when no character is left.
  bool fine_file() const { return pos_ >= testo_.size(); }

  // A text field: leading blanks skipped, trailing blanks kept.
  std::string leggi_testo();

  // Numeric fields into an unsigned byte, a signed 16-bit and a signed 32-bit variable.
  uint8_t leggi_byte();
  int16_t leggi_intero();
  int32_t leggi_lungo();

  // The line on which the last field read began, counting from 1, and its column
  // (the byte of its first character after the blanks, counting from 1).
  int riga_campo() const { return riga_campo_; }
  int colonna_campo() const { return colonna_campo_; }

  // The whole text being read.
  const std::string& testo() const { return testo_; }

  // Skips what is left of the current line; nothing at the start of a line.
  void salta_riga();

  // Line and column of every numeric field read so far that was empty or blank (and
  // so read as 0), taken away from the reader.
  std::vector<std::pair<int, int>> prendi_campi_vuoti() { return std::exchange(campi_vuoti_, {}); }
  // For fields where empty means "none": the empty fields counted from `quanti` on are
  // forgotten.
  size_t n_campi_vuoti() const { return campi_vuoti_.size(); }
  void dimentica_campi_vuoti(size_t quanti) { campi_vuoti_.resize(quanti); }

 private:
  int64_t leggi_numero(int64_t minimo, int64_t massimo, const char* variabile);
  void inizia_campo();
  void salta_spazi();
  bool a_fine_riga() const;
  void consuma_fine_riga();
  [[noreturn]] void guasto(const std::string& motivo) const;

  std::string testo_;
  size_t pos_ = 0;
  int riga_ = 1;
  int riga_campo_ = 0;
  size_t inizio_riga_ = 0;
  int colonna_campo_ = 0;
  std::vector<std::pair<int, int>> campi_vuoti_;
};
