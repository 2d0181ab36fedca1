// JSON lines for `dump --json` and `check --format json`: every record is one object on
// a line of its own. Strings are UTF-8: the quote, the backslash and the control
// characters are escaped, every other byte is written as it is. The texts of the
// compiled files (Windows-1252) are turned into UTF-8 first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class oggetto_json {
 public:
  oggetto_json& numero(const char* nome, int64_t valore);
  // A double in its shortest exact form; null when it is not a finite number, which
  // JSON cannot hold.
  oggetto_json& reale(const char* nome, double valore);
  // A UTF-8 text, such as a file's name.
  oggetto_json& testo(const char* nome, std::string_view utf8);
  // A text of a compiled file, in Windows-1252.
  oggetto_json& testo_1252(const char* nome, std::string_view testo_1252);
  oggetto_json& nullo(const char* nome);

  // The object, closed, without a line end.
  std::string riga() const { return corpo_ + "}"; }

 private:
  void chiave(const char* nome);
  std::string corpo_ = "{";
};
