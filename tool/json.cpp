// JSON objects on one line, built member by member.
#include "tool/json.h"

#include <charconv>
#include <cmath>

#include "tool/testo_unicode.h"

namespace {

void aggiungi_escape(std::string& s, char32_t c) {
  static constexpr char cifre[] = "0123456789abcdef";
  s += "\\u";
  for (int spostamento = 12; spostamento >= 0; spostamento -= 4) s += cifre[(c >> spostamento) & 0xF];
}

}  // namespace

std::string stringa_json(std::string_view testo_1252) {
  std::string s = "\"";
  for (char b : testo_1252) {
    char32_t c = carattere_unicode(static_cast<unsigned char>(b));
    if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      aggiungi_escape(s, c);
    } else {
      s += static_cast<char>(c);
    }
  }
  return s + "\"";
}

void oggetto_json::chiave(const char* nome) {
  if (corpo_.size() > 1) corpo_ += ',';
  corpo_ += stringa_json(nome);
  corpo_ += ':';
}

oggetto_json& oggetto_json::numero(const char* nome, int64_t valore) {
  chiave(nome);
  corpo_ += std::to_string(valore);
  return *this;
}

oggetto_json& oggetto_json::reale(const char* nome, double valore) {
  if (!std::isfinite(valore)) return nullo(nome);
  chiave(nome);
  char cifre[32];
  auto fine = std::to_chars(cifre, cifre + sizeof cifre, valore).ptr;
  corpo_.append(cifre, fine);
  return *this;
}

oggetto_json& oggetto_json::testo(const char* nome, std::string_view testo_1252) {
  chiave(nome);
  corpo_ += stringa_json(testo_1252);
  return *this;
}

oggetto_json& oggetto_json::nullo(const char* nome) {
  chiave(nome);
  corpo_ += "null";
  return *this;
}
