// File kinds, URIs and pairs.
#include "lsp/coppia.h"

#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view coda_linea = "_linea.txt";
constexpr std::string_view coda_servizio = "-.txt";

bool finisce(const std::string& s, std::string_view coda) { return s.size() > coda.size() && s.ends_with(coda); }

int cifra(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string decodifica(const std::string& s) {
  std::string d;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && cifra(s[i + 1]) >= 0 && cifra(s[i + 2]) >= 0) {
      d += static_cast<char>(cifra(s[i + 1]) * 16 + cifra(s[i + 2]));
      i += 2;
    } else {
      d += s[i];
    }
  }
  return d;
}

// Whether a decoded name is one plain file name: no separator of either system, no
// "..", no colon (a drive or a stream on Windows) and no NUL.
bool nome_semplice(std::string_view nome) {
  return nome.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos &&
         nome.find("..") == std::string_view::npos;
}

// Whether one decoded segment of a URI's path names one step down from the folder
// before it: not a separator, "." or "..", nor empty but at the end (a folder's URI
// ends in a slash); on Windows a colon only in a drive, first.
bool segmento_valido(std::string_view s, bool primo, bool ultimo) {
  if (s.empty()) return ultimo;
  if (s.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos || s == "." || s == "..") return false;
#ifdef _WIN32
  bool unita = primo && s.size() == 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':';
  if (!unita && s.find(':') != std::string_view::npos) return false;
#else
  (void)primo;
#endif
  return true;
}

}  // namespace

tipo_sorgente tipo_di(const std::string& nome) {
  if (!nome_semplice(nome)) return tipo_sorgente::altro;
  if (finisce(nome, coda_linea)) return tipo_sorgente::linea;
  if (finisce(nome, coda_servizio) && nome.find('_') != std::string::npos) return tipo_sorgente::servizio;
  return tipo_sorgente::altro;
}

std::optional<std::string> percorso_da_uri(const std::string& uri) {
  if (!uri.starts_with("file://")) return std::nullopt;
  std::string resto = uri.substr(7);
  size_t barra = resto.find('/');
  if (barra == std::string::npos) return std::nullopt;
  std::string host = resto.substr(0, barra);
  if (!host.empty() && host != "localhost") return std::nullopt;
  // Each segment decoded once, by itself: one that decodes to more than one step
  // (%2F, %5C, "..") refuses the URI, and so does an empty one before the end (a
  // network path, file:////host/share).
  std::string percorso;
  for (size_t inizio = barra + 1, n = 0;; ++n) {
    size_t fine = resto.find('/', inizio);
    std::string segmento = decodifica(resto.substr(inizio, fine == std::string::npos ? fine : fine - inizio));
    if (!segmento_valido(segmento, n == 0, fine == std::string::npos)) return std::nullopt;
    percorso += '/' + segmento;
    if (fine == std::string::npos) break;
    inizio = fine + 1;
  }
#ifdef _WIN32
  if (percorso.size() >= 3 && percorso[0] == '/' && std::isalpha(static_cast<unsigned char>(percorso[1])) &&
      percorso[2] == ':') {
    percorso.erase(0, 1);
  }
  for (char& c : percorso) {
    if (c == '/') c = '\\';
  }
#endif
  return percorso;
}

std::string uri_da_percorso(const std::string& percorso) {
  static constexpr char cifre[] = "0123456789ABCDEF";
  std::string p = percorso;
  std::string uri = "file://";
#ifdef _WIN32
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  if (!p.empty() && p[0] != '/') uri += '/';  // file:///C:/...
#endif
  for (char b : p) {
    auto c = static_cast<unsigned char>(b);
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += cifre[c >> 4];
      uri += cifre[c & 15];
    }
  }
  return uri;
}

std::string cartella_uri(const std::string& uri) {
  size_t barra = uri.find_last_of('/');
  return barra == std::string::npos ? std::string() : uri.substr(0, barra + 1);
}

std::string nome_uri(const std::string& uri) {
  size_t barra = uri.find_last_of('/');
  return decodifica(barra == std::string::npos ? uri : uri.substr(barra + 1));
}

nomi_coppia nomi_da_linea(const std::string& nome_linea, const std::vector<std::string>& candidati) {
  nomi_coppia n{nome_linea.substr(0, nome_linea.size() - coda_linea.size()), ""};
  std::string inizio = n.linea + "_";
  for (const std::string& c : candidati) {
    if (tipo_di(c) != tipo_sorgente::servizio || !c.starts_with(inizio)) continue;
    std::string treno = c.substr(inizio.size(), c.size() - inizio.size() - coda_servizio.size());
    if (treno.empty()) continue;
    n.treno = treno;
    break;
  }
  return n;
}

nomi_coppia nomi_da_servizio(const std::string& nome_servizio, const std::vector<std::string>& candidati) {
  std::string base = nome_servizio.substr(0, nome_servizio.size() - coda_servizio.size());
  nomi_coppia n;
  for (const std::string& c : candidati) {
    if (tipo_di(c) != tipo_sorgente::linea) continue;
    std::string linea = c.substr(0, c.size() - coda_linea.size());
    if (base.size() > linea.size() + 1 && base.starts_with(linea + "_") && linea.size() > n.linea.size()) n.linea = linea;
  }
  if (n.linea.empty()) n.linea = base.substr(0, base.find_last_of('_'));
  n.treno = base.substr(n.linea.size() + 1);
  return n;
}
