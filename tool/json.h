// JSON lines for `dump --json`: every record is one object on a line of its own. Texts
// of the compiled files (Windows-1252) become JSON strings with every character outside
// printable ASCII written as a \u escape, so a line is plain ASCII whatever it holds.
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
  oggetto_json& testo(const char* nome, std::string_view testo_1252);
  oggetto_json& nullo(const char* nome);

  // The object, closed, without a line end.
  std::string riga() const { return corpo_ + "}"; }

 private:
  void chiave(const char* nome);
  std::string corpo_ = "{";
};
