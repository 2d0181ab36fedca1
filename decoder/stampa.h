// Printing of the decoded compiled files for `dump`: as text for a person (a heading
// line, then one line per cell or plan sample and one block per table entry, each with
// its byte offset and every member by name) or as JSON lines (a heading object, then
// one object per cell, sample or entry).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "decoder/decodifica.h"

// A JSON line: one object, written compactly with its members in the order they were
// added. Its strings are UTF-8; the texts of the compiled files (Windows-1252) are turned
// into UTF-8 first, and a non-finite number is written as null.
using oggetto_json = nlohmann::ordered_json;
std::string riga_json(const oggetto_json& j);

struct opzioni_stampa {
  bool json = false;
  bool tutto = false;    // every cell and every entry, not only those that hold something
  int64_t passo = 1000;  // metres between two plan samples
};

void stampa_griglia(const std::string& nome, const std::vector<cella>& griglia, const opzioni_stampa& o,
                    std::ostream& uscita);
void stampa_tabella(const std::string& nome, size_t byte, const tabella_decodificata& tabella, const opzioni_stampa& o,
                    std::ostream& uscita);
void stampa_piano(const std::string& nome, size_t byte, const piano_decodificato& piano, const opzioni_stampa& o,
                  std::ostream& uscita);
