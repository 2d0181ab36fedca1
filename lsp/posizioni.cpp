// Windows-1252 from UTF-8, columns counted in three ways, and ranges compared.
#include "lsp/posizioni.h"

#include <algorithm>

#include "model/testo_unicode.h"

namespace {

// The Windows-1252 byte of a character, "?" for one the code page lacks.
char in_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (unsigned b = 0x80; b < 0xA0; ++b) {
    if (carattere_unicode(static_cast<unsigned char>(b)) == c) return static_cast<char>(b);
  }
  return '?';
}

// UTF-16 units and UTF-8 bytes of a character.
int unita(char32_t c, codifica_posizioni k) {
  if (k == codifica_posizioni::utf16) return c > 0xFFFF ? 2 : 1;
  return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// The characters of one line of UTF-8 text (its bytes that are not well-formed UTF-8
// one character each, as Windows-1252).
template <typename F>
void per_carattere(std::string_view riga, F&& f) {
  for (size_t i = 0; i < riga.size();) {
    char32_t c = 0;
    size_t n = sequenza_utf8(riga, i, c);
    if (n == 0) {
      c = carattere_unicode(static_cast<unsigned char>(riga[i]));
      n = 1;
    }
    if (!f(c)) return;
    i += n;
  }
}

}  // namespace

std::string in_windows_1252(std::string_view utf8) {
  std::string byte;
  byte.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    size_t n = sequenza_utf8(utf8, i, c);
    if (n == 0) {
      byte += utf8[i];  // already a single byte
      ++i;
    } else {
      byte += in_byte(c);
      i += n;
    }
  }
  return byte;
}

testo_sorgente testo_sorgente::da_utf8(std::string utf8) {
  testo_sorgente t;
  t.byte_ = in_windows_1252(utf8);
  t.utf8_ = std::move(utf8);
  t.indicizza();
  return t;
}

testo_sorgente testo_sorgente::da_windows_1252(std::string_view byte) {
  testo_sorgente t;
  t.byte_ = std::string(byte);
  t.utf8_ = in_utf8(byte);
  t.indicizza();
  return t;
}

void testo_sorgente::indicizza() {
  auto inizi = [](const std::string& s) {
    std::vector<size_t> v{0};
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      if (s[i] == '\r' || s[i] == '\n') v.push_back(i + 1);
    }
    return v;
  };
  inizi_ = inizi(byte_);
  inizi_utf8_ = inizi(utf8_);
}

namespace {

std::string_view riga_di(const std::string& s, const std::vector<size_t>& inizi, int riga) {
  if (riga < 0 || static_cast<size_t>(riga) >= inizi.size()) return {};
  size_t inizio = inizi[static_cast<size_t>(riga)];
  size_t fine = static_cast<size_t>(riga) + 1 < inizi.size() ? inizi[static_cast<size_t>(riga) + 1] : s.size();
  std::string_view r(s.data() + inizio, fine - inizio);
  while (!r.empty() && (r.back() == '\n' || r.back() == '\r')) r.remove_suffix(1);
  return r;
}

}  // namespace

std::string_view testo_sorgente::riga_byte(int riga) const { return riga_di(byte_, inizi_, riga); }

posizione_lsp testo_sorgente::verso_lsp(int riga, int colonna, codifica_posizioni k) const {
  posizione_lsp p{std::max(riga - 1, 0), 0};
  int resto = std::max(colonna - 1, 0);
  per_carattere(riga_di(utf8_, inizi_utf8_, p.riga), [&](char32_t c) {
    if (resto == 0) return false;
    p.carattere += unita(c, k);
    --resto;
    return true;
  });
  p.carattere += resto;
  return p;
}

std::pair<int, int> testo_sorgente::da_lsp(posizione_lsp p, codifica_posizioni k) const {
  int colonna = 1;
  int resto = std::max(p.carattere, 0);
  per_carattere(riga_di(utf8_, inizi_utf8_, p.riga), [&](char32_t c) {
    int u = unita(c, k);
    if (resto < u) return false;  // inside a character: its start
    resto -= u;
    ++colonna;
    return true;
  });
  bool oltre = resto > 0 && colonna - 1 >= static_cast<int>(riga_byte(p.riga).size());
  // Past the text's end as far as the numbers go, never wrapped.
  int riga = std::clamp(p.riga, 0, posizione_lsp::oltre - 1) + 1;
  return {riga, colonna + (oltre ? std::min(resto, posizione_lsp::oltre - colonna) : 0)};
}

posizione_lsp testo_sorgente::dentro(posizione_lsp p, codifica_posizioni k) const {
  if (p.riga < 0 || p.riga >= righe()) return fine_riga(righe() - 1, k);
  posizione_lsp fine = fine_riga(p.riga, k);
  if (p.carattere < 0 || p.carattere > fine.carattere) p.carattere = fine.carattere;
  return p;
}

posizione_lsp testo_sorgente::fine_riga(int riga, codifica_posizioni k) const {
  return verso_lsp(riga + 1, static_cast<int>(riga_byte(riga).size()) + 1, k);
}

size_t testo_sorgente::offset_utf8(posizione_lsp p, codifica_posizioni k) const {
  if (p.riga < 0) return 0;
  if (static_cast<size_t>(p.riga) >= inizi_utf8_.size()) return utf8_.size();
  std::string_view riga = riga_di(utf8_, inizi_utf8_, p.riga);
  size_t offset = inizi_utf8_[static_cast<size_t>(p.riga)];
  int resto = std::max(p.carattere, 0);
  size_t i = 0;
  while (i < riga.size() && resto > 0) {
    char32_t c = 0;
    size_t n = sequenza_utf8(riga, i, c);
    if (n == 0) {
      c = carattere_unicode(static_cast<unsigned char>(riga[i]));
      n = 1;
    }
    int u = unita(c, k);
    if (resto < u) break;
    resto -= u;
    i += n;
  }
  return offset + i;
}

bool contiene(const intervallo_lsp& i, posizione_lsp p) {
  auto prima = [](posizione_lsp a, posizione_lsp b) {
    return a.riga < b.riga || (a.riga == b.riga && a.carattere <= b.carattere);
  };
  return prima(i.inizio, p) && prima(p, i.fine);
}

bool si_toccano(const intervallo_lsp& a, const intervallo_lsp& b) { return contiene(a, b.inizio) || contiene(b, a.inizio); }

std::vector<std::string_view> righe_di(const testo_sorgente& t) {
  std::vector<std::string_view> r;
  for (int i = 0; i < t.righe(); ++i) r.push_back(t.riga_byte(i));
  return r;
}
