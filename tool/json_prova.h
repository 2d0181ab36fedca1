// Test support: a strict JSON parser (RFC 8259) for checking what `dump --json` writes.
// It accepts exactly the JSON grammar, nothing more: no trailing commas, no leading
// zeros, no bare control characters in strings, no text after the value. Numbers are
// kept as doubles, strings as UTF-8.
#pragma once

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct valore_json {
  enum genere { nullo, booleano, numero, stringa, vettore, oggetto } g = nullo;
  bool b = false;
  double n = 0;
  std::string s;
  std::vector<valore_json> v;
  std::map<std::string, valore_json> o;

  const valore_json& operator[](const std::string& chiave) const {
    auto it = o.find(chiave);
    if (g != oggetto || it == o.end()) throw std::runtime_error("no member " + chiave);
    return it->second;
  }
  bool ha(const std::string& chiave) const { return g == oggetto && o.count(chiave) != 0; }
};

class analizzatore_json {
 public:
  // The one value that the whole text holds; throws std::runtime_error otherwise.
  static valore_json analizza(const std::string& testo) {
    analizzatore_json a(testo);
    valore_json v = a.valore();
    a.spazi();
    if (a.p_ != a.t_.size()) a.sbaglio("text after the value");
    return v;
  }

 private:
  explicit analizzatore_json(const std::string& t) : t_(t) {}

  [[noreturn]] void sbaglio(const std::string& cosa) const {
    throw std::runtime_error(cosa + " at character " + std::to_string(p_));
  }
  char c() const { return p_ < t_.size() ? t_[p_] : '\0'; }
  void spazi() {
    while (p_ < t_.size() && (c() == ' ' || c() == '\t' || c() == '\n' || c() == '\r')) ++p_;
  }
  void atteso(const std::string& parola) {
    if (t_.compare(p_, parola.size(), parola) != 0) sbaglio("expected " + parola);
    p_ += parola.size();
  }

  valore_json valore() {
    spazi();
    valore_json v;
    switch (c()) {
      case '{': return oggetto();
      case '[': return vettore();
      case '"':
        v.g = valore_json::stringa;
        v.s = stringa();
        return v;
      case 't':
        atteso("true");
        v.g = valore_json::booleano;
        v.b = true;
        return v;
      case 'f':
        atteso("false");
        v.g = valore_json::booleano;
        return v;
      case 'n': atteso("null"); return v;
      default: return numero();
    }
  }

  valore_json oggetto() {
    valore_json v;
    v.g = valore_json::oggetto;
    ++p_;
    spazi();
    if (c() == '}') {
      ++p_;
      return v;
    }
    for (;;) {
      spazi();
      if (c() != '"') sbaglio("expected a member name");
      std::string chiave = stringa();
      spazi();
      atteso(":");
      if (v.o.count(chiave)) sbaglio("member " + chiave + " twice");
      v.o[chiave] = valore();
      spazi();
      if (c() == '}') {
        ++p_;
        return v;
      }
      atteso(",");
    }
  }

  valore_json vettore() {
    valore_json v;
    v.g = valore_json::vettore;
    ++p_;
    spazi();
    if (c() == ']') {
      ++p_;
      return v;
    }
    for (;;) {
      v.v.push_back(valore());
      spazi();
      if (c() == ']') {
        ++p_;
        return v;
      }
      atteso(",");
    }
  }

  static void utf8(std::string& s, unsigned long u) {
    if (u < 0x80) {
      s += static_cast<char>(u);
    } else if (u < 0x800) {
      s += static_cast<char>(0xC0 | (u >> 6));
      s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      s += static_cast<char>(0xE0 | (u >> 12));
      s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (u & 0x3F));
    }
  }

  std::string stringa() {
    std::string s;
    ++p_;
    for (;;) {
      if (p_ >= t_.size()) sbaglio("unterminated string");
      char x = t_[p_++];
      if (x == '"') return s;
      if (static_cast<unsigned char>(x) < 0x20) sbaglio("control character in a string");
      if (x != '\\') {
        s += x;
        continue;
      }
      char e = c();
      ++p_;
      switch (e) {
        case '"':
        case '\\':
        case '/': s += e; break;
        case 'b': s += '\b'; break;
        case 'f': s += '\f'; break;
        case 'n': s += '\n'; break;
        case 'r': s += '\r'; break;
        case 't': s += '\t'; break;
        case 'u': {
          std::string cifre = t_.substr(p_, 4);
          if (cifre.size() != 4 || cifre.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            sbaglio("bad \\u escape");
          }
          utf8(s, std::strtoul(cifre.c_str(), nullptr, 16));
          p_ += 4;
          break;
        }
        default: sbaglio("bad escape");
      }
    }
  }

  valore_json numero() {
    size_t inizio = p_;
    if (c() == '-') ++p_;
    if (c() == '0') {
      ++p_;
    } else if (c() >= '1' && c() <= '9') {
      while (c() >= '0' && c() <= '9') ++p_;
    } else {
      sbaglio("expected a value");
    }
    if (c() == '.') {
      ++p_;
      if (!(c() >= '0' && c() <= '9')) sbaglio("digits expected after the point");
      while (c() >= '0' && c() <= '9') ++p_;
    }
    if (c() == 'e' || c() == 'E') {
      ++p_;
      if (c() == '+' || c() == '-') ++p_;
      if (!(c() >= '0' && c() <= '9')) sbaglio("digits expected in the exponent");
      while (c() >= '0' && c() <= '9') ++p_;
    }
    valore_json v;
    v.g = valore_json::numero;
    v.n = std::strtod(t_.substr(inizio, p_ - inizio).c_str(), nullptr);
    return v;
  }

  const std::string& t_;
  size_t p_ = 0;
};
