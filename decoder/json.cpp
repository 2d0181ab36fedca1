// JSON objects on one line, built member by member.
#include "decoder/json.h"

#include <charconv>
#include <cmath>

#include "model/testo_unicode.h"

void oggetto_json::chiave(const char* nome) {
  if (corpo_.size() > 1) corpo_ += ',';
  corpo_ += stringa_json(nome, true);
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

oggetto_json& oggetto_json::testo(const char* nome, std::string_view utf8) {
  chiave(nome);
  corpo_ += stringa_json(utf8);
  return *this;
}

oggetto_json& oggetto_json::testo_1252(const char* nome, std::string_view testo_1252) {
  return testo(nome, in_utf8(testo_1252));
}

oggetto_json& oggetto_json::nullo(const char* nome) {
  chiave(nome);
  corpo_ += "null";
  return *this;
}
