// Writing diagnostics as text lines or JSON lines. The diagnostics come whole from the
// compiler, which recorded them where each problem happened: this only prints them.
#include "tool/spiegazione.h"

#include <algorithm>

#include "driver/nomi_file.h"
#include "tool/json.h"

namespace {

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
       << ", \"code\": " << (errore ? std::to_string(d.codice) : stringa_json(d.nome))
       << ", \"message\": " << stringa_json(d.messaggio) << ", \"notes\": [";
    for (size_t i = 0; i < d.note.size(); ++i) {
      u_ << (i > 0 ? ", " : "") << '{' << campi_luogo(d.note[i].luogo)
         << ", \"message\": " << stringa_json(d.note[i].messaggio) << '}';
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
    return "\"file\": " + stringa_json(file(l)) + ", \"line\": " + std::to_string(std::max(l.riga, 1)) +
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
