// Writing diagnostics as text lines or JSON lines. The diagnostics come whole from the
// compiler, which recorded them where each problem happened: this only prints them.
#include "reference/spiegazione.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "model/nomi_file.h"
#include "model/testo_unicode.h"

namespace {

using oggetto = nlohmann::ordered_json;

class scrittore {
 public:
  scrittore(const std::string& cartella, std::ostream& u) : cartella_(cartella), u_(u) {}

  void testo(const diagnostica& d, const std::map<std::string, std::string>* testi) {
    bool errore = d.livello == gravita::errore;
    u_ << luogo(d.luogo) << (errore ? ": error: " : ": warning: ") << d.messaggio
       << (errore ? " [code " + std::to_string(d.codice) + "]" : " [" + d.nome + "]") << '\n';
    if (testi != nullptr) caret(d.luogo, *testi);
    for (const nota_diagnostica& n : d.note) u_ << luogo(n.luogo) << ": note: " << n.messaggio << '\n';
  }

  void json(const diagnostica& d) {
    const bool errore = d.livello == gravita::errore;
    oggetto j = campi_luogo(d.luogo);
    j["severity"] = errore ? "error" : "warning";
    j["code"] = errore ? oggetto(d.codice) : oggetto(utf8_sicuro(d.nome));
    j["message"] = utf8_sicuro(d.messaggio);
    j["notes"] = oggetto::array();
    for (const nota_diagnostica& n : d.note) {
      oggetto nota = campi_luogo(n.luogo);
      nota["message"] = utf8_sicuro(n.messaggio);
      j["notes"].push_back(std::move(nota));
    }
    j["fixes"] = oggetto::array();
    for (const correzione& c : d.correzioni) {
      const luogo_sorgente& l = c.luogo;
      oggetto intervallo = {{"line", std::max(l.riga, 1)},
                            {"column", std::max(l.colonna, 1)},
                            {"end_line", l.riga_fine_mostrata()},
                            {"end_column", l.colonna_fine_mostrata()}};
      j["fixes"].push_back({{"range", std::move(intervallo)}, {"replacement", utf8_sicuro(c.sostituzione)}});
    }
    u_ << j.dump(-1, ' ', false, oggetto::error_handler_t::replace) << '\n';
  }

  // The source line of `l` and a marker under its range, on the range's first line.
  void caret(const luogo_sorgente& l, const std::map<std::string, std::string>& testi) {
    auto t = testi.find(l.file);
    if (t == testi.end() || l.riga < 1 || l.colonna < 1) return;
    std::string riga = riga_del_testo(t->second, l.riga);
    int fine = l.riga_fine_mostrata() > l.riga ? static_cast<int>(riga.size()) + 1 : l.colonna_fine_mostrata();
    for (char& c : riga) {
      if (c == '\t') c = ' ';  // one character, one column
    }
    std::string numero = std::to_string(l.riga);
    std::string margine(std::max<size_t>(numero.size(), 4) + 1, ' ');
    u_ << margine.substr(numero.size()) << numero << " | " << in_utf8(riga) << '\n';
    std::string segno(static_cast<size_t>(l.colonna - 1), ' ');
    segno += '^';
    if (fine - l.colonna > 1) segno += std::string(static_cast<size_t>(fine - l.colonna - 1), '~');
    u_ << margine << " | " << segno << '\n';
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
  oggetto campi_luogo(const luogo_sorgente& l) const {
    return {{"file", utf8_sicuro(file(l))},
            {"line", std::max(l.riga, 1)},
            {"column", std::max(l.colonna, 1)},
            {"end_line", l.riga_fine_mostrata()},
            {"end_column", l.colonna_fine_mostrata()}};
  }

  // Line `n` of `testo` (counting from 1, line ends as the field reader takes them),
  // without its line end. The search goes on from the line found last when `n` is not
  // before it in the same text, so that diagnostics in the order of the file cost one
  // pass over it, however many there are.
  std::string riga_del_testo(const std::string& testo, int n) {
    if (&testo != testo_letto_ || n < riga_letta_) {
      testo_letto_ = &testo;
      riga_letta_ = 1;
      inizio_letto_ = 0;
    }
    size_t inizio = inizio_letto_;
    for (int r = riga_letta_; r < n; ++r) {
      size_t a = testo.find_first_of("\r\n", inizio);
      if (a == std::string::npos) return {};
      inizio = a + (testo[a] == '\r' && a + 1 < testo.size() && testo[a + 1] == '\n' ? 2 : 1);
    }
    riga_letta_ = n;
    inizio_letto_ = inizio;
    size_t fine = testo.find_first_of("\r\n", inizio);
    return testo.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio);
  }

  const std::string& cartella_;
  std::ostream& u_;
  // The text, the line and where it starts, of the caret line found last.
  const std::string* testo_letto_ = nullptr;
  int riga_letta_ = 1;
  size_t inizio_letto_ = 0;
};

}  // namespace

void scrivi_diagnostiche(const std::vector<diagnostica>& diagnostiche, const std::string& cartella_sorgenti,
                         formato_diagnostiche formato, bool con_conteggio, std::ostream& u,
                         const std::map<std::string, std::string>* testi) {
  scrittore s(cartella_sorgenti, u);
  size_t errori = 0;
  for (const diagnostica& d : diagnostiche) {
    if (formato == formato_diagnostiche::json) {
      s.json(d);
    } else {
      s.testo(d, testi);
    }
    errori += d.livello == gravita::errore;
  }
  if (formato == formato_diagnostiche::testo && con_conteggio) {
    u << errori << " errors, " << diagnostiche.size() - errori << " warnings\n";
  }
}

namespace {

bool uscita_terminale = false;
bool errori_terminale = false;

}  // namespace

void imposta_terminali(bool uscita, bool errori) {
  uscita_terminale = uscita;
  errori_terminale = errori;
}

bool mostra_caret(modo_caret modo, bool su_errori) {
  if (modo == modo_caret::automatico) return su_errori ? errori_terminale : uscita_terminale;
  return modo == modo_caret::sempre;
}

bool leggi_modo_caret(const std::string& valore, modo_caret& modo) {
  if (valore == "auto") modo = modo_caret::automatico;
  else if (valore == "always") modo = modo_caret::sempre;
  else if (valore == "never") modo = modo_caret::mai;
  else return false;
  return true;
}
