// Little-endian output for the compiled files: each value is written byte by byte in
// the width the file's layout gives it, through a 64 KiB buffer, into a file being
// written anew, from a given offset on (two outputs may fill two parts of one file).
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/file_servizi.h"

class uscita_binaria {
 public:
  explicit uscita_binaria(file_nuovo& file, uint64_t inizio = 0) : file_(file), posizione_(inizio) {}
  uscita_binaria(const uscita_binaria&) = delete;
  uscita_binaria& operator=(const uscita_binaria&) = delete;

  void byte(uint8_t v) {
    if (pieni_ == blocco_.size()) svuota();
    blocco_[pieni_++] = static_cast<char>(v);
  }
  void intero(int16_t v) { senza_segno(static_cast<uint16_t>(v), 2); }
  void parola(uint16_t v) { senza_segno(v, 2); }
  void lungo(int32_t v) { senza_segno(static_cast<uint32_t>(v), 4); }
  void testo(const std::string& t) {
    for (char c : t) byte(static_cast<uint8_t>(c));
  }

  // Room for the next `quanti` bytes (at most the buffer's size), which the caller fills.
  char* spazio(size_t quanti) {
    if (blocco_.size() - pieni_ < quanti) svuota();
    char* p = blocco_.data() + pieni_;
    pieni_ += quanti;
    return p;
  }

  // The low `larghezza` bytes of `v`, lowest first, at `p`. They are laid out in a local
  // array and copied in one go.
  static void poni(char* p, uint64_t v, size_t larghezza) {
    unsigned char b[8];
    for (size_t i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
    std::memcpy(p, b, larghezza);
  }

  // Hands the buffered bytes to the file.
  void svuota() {
    file_.scrivi_a(posizione_, blocco_.data(), pieni_);
    posizione_ += pieni_;
    pieni_ = 0;
  }

 private:
  void senza_segno(uint64_t v, size_t larghezza) { poni(spazio(larghezza), v, larghezza); }

  file_nuovo& file_;
  uint64_t posizione_;  // where the buffered bytes go in the file
  std::array<char, 65536> blocco_;
  size_t pieni_ = 0;
};
