// The records of the source files, found line by line: the first field lower-cased,
// the number of the second when it reads as one.
#include "view/record_sorgenti.h"

#include <charconv>
#include <string_view>

#include "model/maiuscole.h"

namespace {

// The whole number a field starts with, after its blanks.
std::optional<int64_t> numero(std::string_view campo) {
  while (!campo.empty() && (campo.front() == ' ' || campo.front() == '\t')) campo.remove_prefix(1);
  int64_t v = 0;
  auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), v);
  if (errore != std::errc{} || fine == campo.data()) return std::nullopt;
  return v;
}

}  // namespace

std::vector<std::string> righe_sorgente(const std::string& testo) {
  std::vector<std::string> righe;
  std::string riga;
  for (size_t i = 0; i < testo.size(); ++i) {
    char c = testo[i];
    if (c == '\r' || c == '\n') {
      righe.push_back(riga);
      riga.clear();
      if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    } else {
      riga += c;
    }
  }
  if (!riga.empty()) righe.push_back(riga);
  return righe;
}

std::vector<record_letto> indice_record(const std::map<std::string, std::vector<std::string>>& righe) {
  std::vector<record_letto> indice;
  for (const auto& [file, testo] : righe) {
    for (size_t i = 0; i < testo.size(); ++i) {
      const std::string& r = testo[i];
      size_t virgola = r.find(',');
      if (virgola == std::string::npos) continue;
      size_t dopo = r.find(',', virgola + 1);
      std::string valore = r.substr(virgola + 1, dopo == std::string::npos ? std::string::npos : dopo - virgola - 1);
      indice.push_back({file, static_cast<int>(i + 1), minuscolo(r.substr(0, virgola)), numero(valore)});
    }
  }
  return indice;
}

