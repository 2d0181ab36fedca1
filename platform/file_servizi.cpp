// File services on the system's primitives: temporary names, the writing of a file
// anew, the replacement of a set of files, and the clean-up of what a killed run left.
#include "platform/file_servizi.h"

#include <cstdint>
#include <limits>
#include <random>

namespace {

constexpr const char* coda_temporaneo = ".tmp~";
constexpr size_t cifre_temporaneo = 16;

// 16 hex digits, different for every call; the generator is seeded once a thread from
// the system's source of randomness.
std::string cifre_casuali() {
  thread_local std::mt19937_64 generatore{(static_cast<uint64_t>(std::random_device{}()) << 32) ^
                                          std::random_device{}()};
  uint64_t n = generatore();
  std::string cifre(cifre_temporaneo, '0');
  for (char& c : cifre) {
    c = "0123456789abcdef"[n & 15];
    n >>= 4;
  }
  return cifre;
}

std::string nome_temporaneo(const std::string& percorso) {
  return percorso + "." + cifre_casuali() + coda_temporaneo;
}

// True when `nome` is a temporary name made for the file `base`: "BASE.<16 hex>.tmp~",
// or the fixed "BASE.tmp~" of earlier versions.
bool temporaneo_di(const std::string& nome, const std::string& base) {
  if (nome == base + coda_temporaneo) return true;
  if (nome.size() != base.size() + 1 + cifre_temporaneo + std::string_view(coda_temporaneo).size()) return false;
  if (!nome.starts_with(base + ".") || !nome.ends_with(coda_temporaneo)) return false;
  for (char c : std::string_view(nome).substr(base.size() + 1, cifre_temporaneo)) {
    if ((c < '0' || c > '9') && (c < 'a' || c > 'f')) return false;
  }
  return true;
}

// A second name for the earlier file under `percorso`, so that it can be put back;
// empty when there is no earlier file. Where no hard link is made (none on the file
// system, or one that could not be deleted again), the earlier content is copied.
std::string conserva(const std::string& percorso) {
  if (!sistema::esiste_file(percorso)) return "";
  std::string seconda = nome_temporaneo(percorso);
  if (sistema::collega(percorso, seconda)) return seconda;
  file_nuovo copia(percorso);
  std::string contenuto = leggi_file(percorso);
  copia.scrivi(contenuto.data(), contenuto.size());
  copia.chiudi();
  return copia.cedi_temporaneo();
}

}  // namespace

bool esiste_file(const std::string& percorso) { return sistema::esiste_file(percorso); }

std::string leggi_file(const std::string& percorso) {
  return sistema::leggi(percorso, std::numeric_limits<uint64_t>::max());
}

std::string leggi_file_limitato(const std::string& percorso, uint64_t massimo) {
  return sistema::leggi(percorso, massimo);
}

void elimina_file(const std::string& percorso) { sistema::elimina(percorso); }

void elimina_se_esiste(const std::string& percorso) noexcept { sistema::elimina_se_esiste(percorso); }

void rimuovi_avanzi(const std::string& cartella, const std::vector<std::string>& nomi) noexcept {
  for (const std::string& voce : sistema::nomi_in_cartella(cartella)) {
    for (const std::string& nome : nomi) {
      if (temporaneo_di(voce, nome)) sistema::elimina_se_esiste(cartella + "/" + voce);
    }
  }
}

file_nuovo::file_nuovo(std::string percorso) : percorso_(std::move(percorso)) {
  // A name that is taken (a leftover, a link, another run's file) is never opened:
  // another name is drawn.
  for (int tentativo = 0; !aperto_; ++tentativo) {
    temporaneo_ = nome_temporaneo(percorso_);
    aperto_ = sistema::crea_esclusivo(temporaneo_, manico_);
    if (!aperto_ && tentativo == 100) throw errore_file(temporaneo_, "no free temporary name");
  }
}

file_nuovo::~file_nuovo() {
  if (aperto_) sistema::chiudi_in_silenzio(manico_);
  if (!temporaneo_.empty()) sistema::elimina_se_esiste(temporaneo_);
}

void file_nuovo::scrivi(const char* dati, size_t quanti) {
  scrivi_a(posizione_, dati, quanti);
  posizione_ += quanti;
}

void file_nuovo::scrivi_a(uint64_t posizione, const char* dati, size_t quanti) {
  sistema::scrivi_a(manico_, temporaneo_, posizione, dati, quanti);
}

void file_nuovo::chiudi() {
  if (!aperto_) return;
  aperto_ = false;
  sistema::chiudi(manico_, temporaneo_);
}

void file_nuovo::completa() {
  chiudi();
  rinomina();
}

std::string file_nuovo::cedi_temporaneo() {
  std::string temporaneo;
  temporaneo.swap(temporaneo_);
  return temporaneo;
}

void file_nuovo::rinomina() {
  sistema::sostituisci(temporaneo_, percorso_);
  temporaneo_.clear();
}

void sostituisci_insieme(const std::vector<file_nuovo*>& file) {
  std::vector<std::string> precedenti;
  for (file_nuovo* f : file) f->chiudi();
  size_t fatti = 0;
  try {
    for (; fatti < file.size(); ++fatti) {
      precedenti.push_back(conserva(file[fatti]->percorso_));
      file[fatti]->rinomina();
    }
  } catch (...) {
    // The files already replaced get their earlier content back; the one that failed
    // keeps its own, untouched.
    for (size_t i = 0; i < precedenti.size(); ++i) {
      const std::string& percorso = file[i]->percorso_;
      if (i == fatti) {
        sistema::elimina_se_esiste(precedenti[i]);
      } else if (precedenti[i].empty()) {
        sistema::elimina_se_esiste(percorso);
      } else {
        try {
          sistema::sostituisci(precedenti[i], percorso);
        } catch (const errore_file&) {
          sistema::elimina_se_esiste(precedenti[i]);
        }
      }
    }
    throw;
  }
  for (const std::string& copia : precedenti) {
    if (!copia.empty()) sistema::elimina_se_esiste(copia);
  }
}

void scrivi_file(const std::string& percorso, std::string_view contenuto) {
  file_nuovo file(percorso);
  file.scrivi(contenuto.data(), contenuto.size());
  file.completa();
}
