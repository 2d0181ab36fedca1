// Writing diagnostics as text lines or JSON lines. The diagnostics come whole from the
// compiler, which recorded them where each problem happened: this only prints them.
#include "tool/spiegazione.h"

#include <algorithm>

#include "driver/nomi_file.h"

namespace {

// A JSON string of a UTF-8 text: the quote, the backslash and the control characters
// escaped, every other byte as it is.
std::string json_utf8(const std::string& testo) {
  static const char esadecimali[] = "0123456789abcdef";
  std::string s;
  s.reserve(testo.size() + 2);
  s += '"';
  size_t da = 0;  // the start of the bytes not yet copied
  for (size_t i = 0; i < testo.size(); ++i) {
    auto b = static_cast<unsigned char>(testo[i]);
    if (b >= 0x20 && b != 0x7F && b != '"' && b != '\\') continue;
    s.append(testo, da, i - da);
    da = i + 1;
    if (b == '"' || b == '\\') {
      s += '\\';
      s += static_cast<char>(b);
    } else {
      s += "\\u00";
      s += esadecimali[b >> 4];
      s += esadecimali[b & 0xF];
    }
  }
  s.append(testo, da);
  s += '"';
  return s;
}

class scrittore {
 public:
  scrittore(const std::string& cartella, std::ostream& u) : cartella_(cartella), u_(u) {}

  void testo(const diagnostica& d) {
    bool errore = d.livello == gravita::errore;
    u_ << luogo(d.luogo) << (errore ? ": error: " : ": warning: ") << d.messaggio
       << (errore ? " [code " + std::to_string(d.codice) + "]" : " [" + d.nome + "]") << '\n';
    for (const nota_diagnostica& n : d.note) u_ << luogo(n.luogo) << ": note: " << n.messaggio << '\n';
  }

  void json(const diagnostica& d) {
    bool errore = d.livello == gravita::errore;
    u_ << '{' << campi_luogo(d.luogo) << ", \"severity\": " << (errore ? "\"error\"" : "\"warning\"")
       << ", \"code\": " << (errore ? std::to_string(d.codice) : json_utf8(d.nome))
       << ", \"message\": " << json_utf8(d.messaggio) << ", \"notes\": [";
    for (size_t i = 0; i < d.note.size(); ++i) {
      u_ << (i > 0 ? ", " : "") << '{' << campi_luogo(d.note[i].luogo)
         << ", \"message\": " << json_utf8(d.note[i].messaggio) << '}';
    }
    u_ << "]}\n";
  }

 private:
  std::string file(const luogo_sorgente& l) const {
    if (cartella_.empty()) return l.file;
    if (cartella_.back() == '/' || cartella_.back() == separatore) return cartella_ + l.file;
    return percorso_in(cartella_, l.file);
  }
  std::string luogo(const luogo_sorgente& l) const {
    return file(l) + ':' + std::to_string(std::max(l.riga, 1)) + ':' + std::to_string(std::max(l.colonna, 1));
  }
  std::string campi_luogo(const luogo_sorgente& l) const {
    return "\"file\": " + json_utf8(file(l)) + ", \"line\": " + std::to_string(std::max(l.riga, 1)) +
           ", \"column\": " + std::to_string(std::max(l.colonna, 1));
  }

  const std::string& cartella_;
  std::ostream& u_;
};

}  // namespace

void scrivi_diagnostiche(const std::vector<diagnostica>& diagnostiche, const std::string& cartella_sorgenti,
                         formato_diagnostiche formato, bool con_conteggio, std::ostream& u) {
  scrittore s(cartella_sorgenti, u);
  size_t errori = 0;
  for (const diagnostica& d : diagnostiche) {
    if (formato == formato_diagnostiche::json) {
      s.json(d);
    } else {
      s.testo(d);
    }
    errori += d.livello == gravita::errore;
  }
  if (formato == formato_diagnostiche::testo && con_conteggio) {
    u << errori << " errors, " << diagnostiche.size() - errori << " warnings\n";
  }
}
