// Windows-1252 to Unicode: 0x80 to 0x9F by the code page's table, every other byte is
// the character of the same number.
#include "model/testo_unicode.h"

namespace {

constexpr char32_t da_80_a_9f[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void aggiungi_utf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool controllo(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

void aggiungi_escape(std::string& s, char32_t c) {
  static constexpr char cifre[] = "0123456789abcdef";
  if (c > 0xFFFF) {  // a surrogate pair
    aggiungi_escape(s, 0xD800 + ((c - 0x10000) >> 10));
    aggiungi_escape(s, 0xDC00 + ((c - 0x10000) & 0x3FF));
    return;
  }
  s += "\\u";
  for (int spostamento = 12; spostamento >= 0; spostamento -= 4) s += cifre[(c >> spostamento) & 0xF];
}

}  // namespace

size_t sequenza_utf8(std::string_view t, size_t i, char32_t& c) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(t[i + k]); };
  const unsigned char primo = b(0);
  const size_t n = primo < 0x80                    ? 1
                   : primo >= 0xC2 && primo < 0xE0 ? 2
                   : primo >= 0xE0 && primo < 0xF0 ? 3
                   : primo >= 0xF0 && primo <= 0xF4 ? 4
                                                    : 0;
  if (n == 0 || t.size() - i < n) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(k) & 0xC0) != 0x80) return 0;
  }
  if (n == 3 && ((primo == 0xE0 && b(1) < 0xA0) || (primo == 0xED && b(1) >= 0xA0))) return 0;  // overlong, surrogate
  if (n == 4 && ((primo == 0xF0 && b(1) < 0x90) || (primo == 0xF4 && b(1) >= 0x90))) return 0;  // overlong, too high
  c = n == 1 ? primo : n == 2 ? primo & 0x1Fu : n == 3 ? primo & 0x0Fu : primo & 0x07u;
  for (size_t k = 1; k < n; ++k) c = (c << 6) | (b(k) & 0x3Fu);
  return n;
}

std::string utf8_sicuro(std::string_view testo) {
  std::string s;
  s.reserve(testo.size());
  for (size_t i = 0; i < testo.size();) {
    char32_t c = 0;
    const size_t n = sequenza_utf8(testo, i, c);
    if (n == 0) {
      aggiungi_utf8(s, carattere_unicode(static_cast<unsigned char>(testo[i])));
      ++i;
    } else {
      s.append(testo.substr(i, n));
      i += n;
    }
  }
  return s;
}

char32_t carattere_unicode(unsigned char c) { return c >= 0x80 && c <= 0x9F ? da_80_a_9f[c - 0x80] : c; }

std::string in_utf8(std::string_view testo) {
  std::string s;
  for (char c : testo) aggiungi_utf8(s, carattere_unicode(static_cast<unsigned char>(c)));
  return s;
}

std::string tra_virgolette(std::string_view testo) {
  static constexpr char cifre[] = "0123456789ABCDEF";
  std::string s = "\"";
  for (char b : testo) {
    auto byte = static_cast<unsigned char>(b);
    char32_t c = carattere_unicode(byte);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else if (controllo(c)) {
      s += "\\x";
      s += cifre[byte >> 4];
      s += cifre[byte & 0xF];
    } else {
      aggiungi_utf8(s, c);
    }
  }
  return s + "\"";
}

bool sembra_utf8(std::string_view testo) {
  bool alto = false;
  for (size_t i = 0; i < testo.size();) {
    char32_t c = 0;
    const size_t n = sequenza_utf8(testo, i, c);
    if (n == 0) return false;  // a byte that begins no well-formed UTF-8 sequence
    alto = alto || n > 1;
    i += n;
  }
  return alto;
}
