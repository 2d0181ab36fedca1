// How a computed value is stored into a narrower member.
//
// Values are computed exactly (64-bit integers, doubles where a division is involved)
// and only narrowed when they are stored. A whole value stored into a member that
// keeps "its low bits" wraps (`basso8`, `basso16`); a rounded value or a value that
// must fit its member fails the load instead (`byte_o_guasto`, `intero_o_guasto`,
// `lungo_o_guasto`).
#pragma once

#include <cstdint>
#include <string>

#include "model/guasto_caricamento.h"

inline uint8_t basso8(int64_t v) { return static_cast<uint8_t>(static_cast<uint64_t>(v) & 0xFFu); }

inline int16_t basso16(int64_t v) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFFu));
}

inline uint8_t byte_o_guasto(int64_t v, const char* cosa) {
  if (v < 0 || v > 255) throw guasto_caricamento(std::string(cosa) + " " + std::to_string(v) + " does not fit a byte");
  return static_cast<uint8_t>(v);
}

inline int16_t intero_o_guasto(int64_t v, const char* cosa) {
  if (v < INT16_MIN || v > INT16_MAX) {
    throw guasto_caricamento(std::string(cosa) + " " + std::to_string(v) + " does not fit 16 bits");
  }
  return static_cast<int16_t>(v);
}

inline int32_t lungo_o_guasto(int64_t v, const char* cosa) {
  if (v < INT32_MIN || v > INT32_MAX) {
    throw guasto_caricamento(std::string(cosa) + " " + std::to_string(v) + " does not fit 32 bits");
  }
  return static_cast<int32_t>(v);
}
