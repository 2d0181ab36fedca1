// Decoders of the three compiled files, for `dump`, `plot` and the fuzz targets.
//
// Each reads the bytes as the compiler lays them out (compiler/FORMATI.md) and trusts
// nothing in them: a file of the wrong size, a record cut short, a text length or a type
// code that cannot be right is an `errore_decodifica` that names the byte offset where
// it was found. Decoding and printing are kept apart, so a decoder can be run alone.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/cella.h"
#include "model/disposizione.h"
#include "model/voce.h"

struct errore_decodifica : std::runtime_error {
  errore_decodifica(size_t offset, const std::string& motivo) : std::runtime_error(motivo), offset(offset) {}
  size_t offset;  // where in the file the fault was found
};

// The largest file of each kind that the compiler can write, massimo_byte_griglia,
// massimo_byte_piano and massimo_byte_tabella, follow from the limits and the layouts
// (model/disposizione.h); anything larger is refused unread.

// Track grid: byte_cella (15) bytes a cell, cell 0 first.
std::vector<cella> decodifica_griglia(std::string_view byte);

// General table: the 87 entries and the offset of each.
struct tabella_decodificata {
  tabella_generale voci;
  std::array<size_t, voci_tabella> offset{};
};
tabella_decodificata decodifica_tabella(std::string_view byte);

// Plan: one element per metre, first every x, then every y.
struct elemento_piano {
  uint16_t tipo = 0;  // variante_vuota, variante_intero or variante_double
  double valore = 0;
  size_t offset = 0;
};
struct piano_decodificato {
  std::vector<elemento_piano> x;
  std::vector<elemento_piano> y;
};
piano_decodificato decodifica_piano(std::string_view byte);
