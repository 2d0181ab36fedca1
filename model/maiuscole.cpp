// Windows-1252 lower-casing.
#include "model/maiuscole.h"

char minuscola(char c) {
  auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

std::string minuscolo(std::string_view testo) {
  std::string risultato(testo);
  for (char& c : risultato) c = minuscola(c);
  return risultato;
}

bool contiene_senza_maiuscole(std::string_view campo, std::string_view cosa) {
  return contiene(minuscolo(campo), cosa);
}
