// Little-endian reading of a compiled file held in memory, member by member. A member
// that would run past the end is an `errore_decodifica` at the member's own offset,
// saying what was being read and how many bytes were left.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "decoder/decodifica.h"

class lettore_binario {
 public:
  explicit lettore_binario(std::string_view byte) : byte_(byte) {}

  size_t posizione() const { return pos_; }
  size_t rimasti() const { return byte_.size() - pos_; }
  bool finito() const { return pos_ == byte_.size(); }

  uint8_t byte(const char* cosa) { return static_cast<uint8_t>(senza_segno(1, cosa)); }
  int16_t intero(const char* cosa) { return static_cast<int16_t>(senza_segno(2, cosa)); }
  uint16_t parola(const char* cosa) { return static_cast<uint16_t>(senza_segno(2, cosa)); }
  int32_t lungo(const char* cosa) { return static_cast<int32_t>(senza_segno(4, cosa)); }
  double reale(const char* cosa) { return std::bit_cast<double>(senza_segno(8, cosa)); }

  // One member of a cell or an entry as its layout gives it (not the text).
  template <typename R>
  void campo(R& r, const campo_binario<R>& f) {
    switch (f.larghezza) {
      case 1: r.*f.byte = byte(f.nome); break;
      case 2: r.*f.intero = intero(f.nome); break;
      case 4: r.*f.lungo = lungo(f.nome); break;
    }
  }

  std::string testo(size_t lunghezza, const char* cosa) {
    richiedi(lunghezza, cosa);
    std::string t(byte_.substr(pos_, lunghezza));
    pos_ += lunghezza;
    return t;
  }

 private:
  void richiedi(size_t quanti, const char* cosa) const {
    if (quanti <= rimasti()) return;
    throw errore_decodifica(pos_, std::string(cosa) + " needs " + std::to_string(quanti) +
                                      (quanti == 1 ? " byte, " : " bytes, ") + std::to_string(rimasti()) + " left");
  }

  uint64_t senza_segno(size_t larghezza, const char* cosa) {
    richiedi(larghezza, cosa);
    uint64_t v = 0;
    for (size_t i = larghezza; i-- > 0;) v = v << 8 | static_cast<unsigned char>(byte_[pos_ + i]);
    pos_ += larghezza;
    return v;
  }

  std::string_view byte_;
  size_t pos_ = 0;
};
