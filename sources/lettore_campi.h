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

  // The line on which the last field read began, counting from 1.
  int riga_campo() const { return riga_campo_; }

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
};
