// Looking for the one pair of names in a directory.
#include "tool/nomi_trovati.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "model/nomi_file.h"
#include "platform/percorso.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> nomi_in(const std::string& cartella) {
  std::vector<std::string> nomi;
  std::error_code ec;
  for (fs::directory_iterator i(percorso_di(cartella), ec), fine; !ec && i != fine; i.increment(ec)) {
    if (i->is_regular_file(ec)) nomi.push_back(testo_di(i->path().filename()));
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

bool finisce(const std::string& t, const std::string& coda) {
  return t.size() > coda.size() && t.compare(t.size() - coda.size(), coda.size(), coda) == 0;
}

std::string elenco(const std::vector<std::string>& v) {
  std::string e;
  for (size_t i = 0; i < v.size(); ++i) e += (i > 0 ? ", " : "") + v[i];
  return e.empty() ? "none" : e;
}

}  // namespace

std::string trova_nomi(const std::string& cartella, bool compilati, std::string& linea, std::string& treno) {
  std::vector<std::string> nomi = nomi_in(cartella);
  const std::string incorporato =
      compilati ? nome_file_tabella(linea_incorporata, treno_incorporato) : nome_file_linea(linea_incorporata);
  if (std::find(nomi.begin(), nomi.end(), incorporato) != nomi.end()) return {};
  std::vector<std::string> linee, coppie;
  for (const std::string& n : nomi) {
    if (finisce(n, compilati ? "_linea.dat" : "_linea.txt")) linee.push_back(n.substr(0, n.size() - 10));
  }
  for (const std::string& n : nomi) {
    std::string coda = compilati ? ".sim" : "-.txt";
    if (!finisce(n, coda)) continue;
    for (const std::string& l : linee) {
      if (n.size() > l.size() + 1 + coda.size() && n.compare(0, l.size() + 1, l + "_") == 0) {
        coppie.push_back(l + "\t" + n.substr(l.size() + 1, n.size() - l.size() - 1 - coda.size()));
      }
    }
  }
  if (coppie.size() == 1) {
    size_t tab = coppie[0].find('\t');
    linea = coppie[0].substr(0, tab);
    treno = coppie[0].substr(tab + 1);
    return {};
  }
  std::vector<std::string> mostrati;
  for (const std::string& c : coppie) {
    size_t tab = c.find('\t');
    mostrati.push_back("--line " + c.substr(0, tab) + " --train " + c.substr(tab + 1));
  }
  std::string cosa = compilati ? "compiled files" : "source files";
  if (coppie.empty() && linee.empty()) return {};  // nothing to choose from: the built-in names
  if (coppie.empty()) {
    std::vector<std::string> trovate;
    for (const std::string& l : linee) trovate.push_back(l + (compilati ? "_linea.dat" : "_linea.txt"));
    return "no pair of " + cosa + " for " + std::string(linea_incorporata) + " or any other route here; route files found: " +
           elenco(trovate) + (compilati ? "" : " (each needs a service file NAME_TRAIN-.txt beside it)") +
           "; name the pair with --line NAME --train TRAIN";
  }
  return "several pairs of " + cosa + " here, pick one: " + elenco(mostrati);
}

void annota_nomi(std::vector<diagnostica>& diagnostiche, const std::string& nomi) {
  if (nomi.empty()) return;
  for (diagnostica& d : diagnostiche) {
    if (d.livello == gravita::errore && d.codice == 101) d.note.insert(d.note.begin(), {d.luogo, nomi});
  }
}
