// Where the records of the two source files stand, found from their lines alone, for
// the tooltips and marks of the view: the loader's rules are not repeated here, a line
// with a keyword field and a number after it is taken for a record that laid something
// at that number.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A record: where it stands and its first value, the position of whatever it lays.
struct record_letto {
  std::string file;
  int riga;
  std::string parola;  // the keyword field, lower case
  std::optional<int64_t> posizione;
};

// The lines of a source text, split at CR LF, LF or CR alike (as the loader reads them).
std::vector<std::string> righe_sorgente(const std::string& testo);

// Every line of the files (file name -> its lines) that reads as a record, file by file.
std::vector<record_letto> indice_record(const std::map<std::string, std::vector<std::string>>& righe);
