// File services on the system's primitives: temporary names, the writing of a file
// anew, the replacement of a set of files, and the clean-up of what a killed run left.
#include "platform/file_servizi.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <random>
#include <utility>

#include "model/nomi_file.h"
#include "platform/percorso.h"

namespace {

constexpr const char* coda_temporaneo = ".tmp~";
constexpr size_t cifre_temporaneo = 16;
static_assert(nome_file_massimo + 1 + cifre_temporaneo + std::string_view(".tmp~").size() == 255,
              "a file name of the longest allowed length must leave room for its temporary suffix");

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

// The directory and the name of a path, split at its last separator.
std::pair<std::string, std::string> dividi(const std::string& percorso) {
#ifdef _WIN32
  size_t sep = percorso.find_last_of("/\\");
#else
  size_t sep = percorso.find_last_of('/');
#endif
  if (sep == std::string::npos) return {".", percorso};
  return {percorso.substr(0, sep), percorso.substr(sep + 1)};
}

std::string in_cartella(const std::string& cartella, const std::string& nome) {
  return cartella + separatore + nome;
}

// A second name for the earlier file under `percorso`, so that it can be put back;
// empty when there is no earlier file. Where no hard link is made (none on the file
// system, or one that could not be deleted again), the earlier content is copied (and
// flushed).
std::string conserva(const std::string& percorso) {
  if (!sistema::esiste_file(percorso)) return "";
  std::string seconda = nome_temporaneo(percorso);
  try {
    if (sistema::collega(percorso, seconda)) return seconda;
  } catch (const errore_file& e) {
    throw errore_file(percorso, e.motivo + " (making the backup " + dividi(seconda).second + ")");
  }
  file_nuovo copia(percorso);
  std::string contenuto = leggi_file(percorso);
  copia.scrivi(contenuto.data(), contenuto.size());
  copia.chiudi();
  return copia.cedi_temporaneo();
}

// One member of a set being replaced: names within its directory.
struct voce_giornale {
  std::string finale;
  std::string temporaneo;  // the new content, until renamed onto `finale`
  std::string riserva;     // the earlier content's second name, empty where there was none
};

constexpr std::string_view testa_giornale = "genera_scenario journal 1\n";
constexpr std::string_view coda_giornale = "end\n";

// The journal's text: a head line, the three names of every member each ended by a NUL
// byte (no file name holds one), and an end line.
std::string testo_giornale(const std::vector<voce_giornale>& voci) {
  std::string testo(testa_giornale);
  for (const voce_giornale& v : voci) {
    for (const std::string* nome : {&v.finale, &v.temporaneo, &v.riserva}) {
      testo += *nome;
      testo += '\0';
    }
  }
  testo += coda_giornale;
  return testo;
}

bool nome_semplice(const std::string& nome) {
  const std::string vietati("/\\\0", 3);
  return !nome.empty() && nome != "." && nome != ".." && nome.find_first_of(vietati) == std::string::npos;
}

// The members of a journal's text; a text that is not one, or that names anything but
// a file and its own temporary names, is refused.
std::vector<voce_giornale> leggi_giornale(const std::string& percorso, const std::string& testo) {
  auto guasto = [&] {
    return errore_file(percorso,
                       "not a journal of this program; the earlier files may be under their names followed by "
                       ".<16 hex digits>.tmp~");
  };
  if (!testo.starts_with(testa_giornale) || !testo.ends_with(coda_giornale)) throw guasto();
  std::string_view corpo(testo);
  corpo = corpo.substr(testa_giornale.size(), corpo.size() - testa_giornale.size() - coda_giornale.size());
  std::vector<std::string> nomi;
  while (!corpo.empty()) {
    size_t fine = corpo.find('\0');
    if (fine == std::string_view::npos) throw guasto();
    nomi.emplace_back(corpo.substr(0, fine));
    corpo.remove_prefix(fine + 1);
  }
  if (nomi.size() % 3 != 0) throw guasto();
  std::vector<voce_giornale> voci;
  for (size_t i = 0; i < nomi.size(); i += 3) {
    voce_giornale v{nomi[i], nomi[i + 1], nomi[i + 2]};
    if (!nome_semplice(v.finale) || !temporaneo_di(v.temporaneo, v.finale) ||
        (!v.riserva.empty() && !temporaneo_di(v.riserva, v.finale))) {
      throw guasto();
    }
    voci.push_back(std::move(v));
  }
  return voci;
}

// Writes the journal: under a temporary name, flushed, renamed onto its own name, and
// the directory flushed, so that it is whole on the disk before the first rename.
void scrivi_giornale(const std::string& cartella, const std::vector<voce_giornale>& voci) {
  std::string testo = testo_giornale(voci);
  file_nuovo giornale(in_cartella(cartella, nome_giornale));
  giornale.scrivi(testo.data(), testo.size());
  giornale.completa();
}

void avvisa(const std::string& testo) { std::cerr << "warning: " << testo << '\n'; }

// The backups named, for a line that says where the earlier files are.
std::string dove_sono(const std::string& cartella, const std::vector<voce_giornale>& voci) {
  std::string testo;
  for (const voce_giornale& v : voci) {
    if (v.riserva.empty()) continue;
    try {
      if (sistema::guarda(in_cartella(cartella, v.riserva)) == sistema::voce::nessuna) continue;
    } catch (const errore_file&) {
    }
    testo += (testo.empty() ? "" : ", ") + v.finale + " as " + v.riserva;
  }
  if (testo.empty()) return "";
  return "; the earlier files are kept in " + cartella + ": " + testo + " (the next run puts them back)";
}

// Puts the earlier set back: every backup renamed onto its file, every new file with no
// earlier one removed, then the new files not yet renamed. Can be done again after an
// interruption: what is already done is not done twice.
void annulla(const std::string& cartella, const std::vector<voce_giornale>& voci) {
  for (const voce_giornale& v : voci) {
    std::string finale = in_cartella(cartella, v.finale);
    std::string temporaneo = in_cartella(cartella, v.temporaneo);
    if (!v.riserva.empty()) {
      std::string riserva = in_cartella(cartella, v.riserva);
      if (sistema::guarda(riserva) == sistema::voce::nessuna) continue;
      if (sistema::guarda(temporaneo) != sistema::voce::nessuna) {
        // Never replaced (its new file is still under the temporary name): the earlier
        // file is still in place, and the backup is only a second name or copy of it.
        sistema::elimina(riserva);
        continue;
      }
      sistema::sostituisci(riserva, finale);
      // A backup that is the same file as the final one stays under its name after the
      // rename.
      sistema::elimina_se_esiste(riserva);
    } else if (sistema::guarda(temporaneo) == sistema::voce::nessuna) {
      if (sistema::guarda(finale) != sistema::voce::nessuna) sistema::elimina(finale);
    }
  }
  sistema::scarica_cartella(cartella);
  for (const voce_giornale& v : voci) sistema::elimina_se_esiste(in_cartella(cartella, v.temporaneo));
}

// Removes the backups once the new set is in place.
void rimuovi_riserve(const std::string& cartella, const std::vector<voce_giornale>& voci) {
  for (const voce_giornale& v : voci) {
    if (v.riserva.empty()) continue;
    std::string riserva = in_cartella(cartella, v.riserva);
    try {
      if (sistema::guarda(riserva) != sistema::voce::nessuna) sistema::elimina(riserva);
    } catch (const errore_file& e) {
      avvisa(riserva + ": the earlier file's backup could not be removed: " + e.motivo);
    }
  }
}

void rimuovi_giornale(const std::string& cartella) {
  std::string giornale = in_cartella(cartella, nome_giornale);
  try {
    sistema::elimina(giornale);
  } catch (const errore_file& e) {
    avvisa(giornale + ": could not be removed: " + e.motivo);
  }
}

// Completes or undoes the replacement that the journal of `cartella` names, if there
// is one: completed when every new file is in place (no temporary file is left),
// undone otherwise.
void riprendi_giornale(const std::string& cartella) {
  std::string percorso = in_cartella(cartella, nome_giornale);
  if (sistema::guarda(percorso) == sistema::voce::nessuna) return;
  std::vector<voce_giornale> voci = leggi_giornale(percorso, sistema::leggi(percorso, 1 << 20));
  bool tutti_a_posto = true;
  for (const voce_giornale& v : voci) {
    if (sistema::guarda(in_cartella(cartella, v.temporaneo)) != sistema::voce::nessuna) tutti_a_posto = false;
  }
  if (tutti_a_posto) {
    rimuovi_riserve(cartella, voci);
  } else {
    try {
      annulla(cartella, voci);
    } catch (const errore_file& e) {
      throw errore_file(e.percorso, e.motivo + ", putting back the earlier set" + dove_sono(cartella, voci));
    }
  }
  rimuovi_giornale(cartella);
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

void rimuovi_avanzi(const std::string& cartella, const std::vector<std::string>& nomi) {
  riprendi_giornale(cartella);
  for (const std::string& voce : sistema::nomi_in_cartella(cartella)) {
    for (const std::string& nome : nomi) {
      if (temporaneo_di(voce, nome)) sistema::elimina_se_esiste(in_cartella(cartella, voce));
    }
    if (temporaneo_di(voce, nome_giornale)) sistema::elimina_se_esiste(in_cartella(cartella, voce));
  }
}

file_nuovo::file_nuovo(std::string percorso) : percorso_(std::move(percorso)) {
  // A name that is taken (a leftover, a link, another run's file) is never opened:
  // another name is drawn.
  for (int tentativo = 0; !aperto_; ++tentativo) {
    temporaneo_ = nome_temporaneo(percorso_);
    sul_temporaneo([&] { aperto_ = sistema::crea_esclusivo(temporaneo_, manico_); });
    if (!aperto_ && tentativo == 100) {
      std::string nome = cedi_temporaneo();
      throw errore_file(percorso_, "no free temporary name (the last tried " + dividi(nome).second + ")");
    }
  }
}

file_nuovo::~file_nuovo() {
  if (aperto_) sistema::chiudi_in_silenzio(manico_);
  if (!temporaneo_.empty()) sistema::elimina_se_esiste(temporaneo_);
}

template <typename Passo>
void file_nuovo::sul_temporaneo(Passo passo) {
  try {
    passo();
  } catch (const errore_file& e) {
    if (e.percorso != temporaneo_) throw;
    throw errore_file(percorso_, e.motivo + " (writing the temporary file " + dividi(temporaneo_).second + ")");
  }
}

void file_nuovo::scrivi(const char* dati, size_t quanti) {
  scrivi_a(posizione_, dati, quanti);
  posizione_ += quanti;
}

void file_nuovo::scrivi_a(uint64_t posizione, const char* dati, size_t quanti) {
  sul_temporaneo([&] { sistema::scrivi_a(manico_, temporaneo_, posizione, dati, quanti); });
}

void file_nuovo::chiudi() {
  if (!aperto_) return;
  aperto_ = false;
  sul_temporaneo([&] {
    try {
      sistema::scarica(manico_, temporaneo_);
    } catch (...) {
      sistema::chiudi_in_silenzio(manico_);
      throw;
    }
    sistema::chiudi(manico_, temporaneo_);
  });
}

void file_nuovo::completa() {
  chiudi();
  rinomina();
  sistema::scarica_cartella(dividi(percorso_).first);
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
  if (file.empty()) return;
  for (file_nuovo* f : file) f->chiudi();
  const std::string cartella = dividi(file.front()->percorso_).first;
  std::vector<voce_giornale> voci;
  std::vector<std::string> riserve;  // removed again if the set is not begun
  struct pulizia {
    std::vector<std::string>& riserve;
    ~pulizia() {
      for (const std::string& r : riserve) sistema::elimina_se_esiste(r);
    }
  } pulisci{riserve};
  for (file_nuovo* f : file) {
    std::string riserva = conserva(f->percorso_);
    if (!riserva.empty()) riserve.push_back(riserva);
    voci.push_back({dividi(f->percorso_).second, dividi(f->temporaneo_).second,
                    riserva.empty() ? "" : dividi(riserva).second});
  }
  scrivi_giornale(cartella, voci);
  // From here the journal holds the backups and the temporary files: they stay until
  // the set is whole, one way or the other.
  riserve.clear();
  std::vector<std::string> temporanei;
  for (file_nuovo* f : file) temporanei.push_back(f->cedi_temporaneo());
  for (size_t i = 0; i < file.size(); ++i) {
    try {
      sistema::sostituisci(temporanei[i], file[i]->percorso_);
    } catch (const errore_file& e) {
      try {
        annulla(cartella, voci);
      } catch (const errore_file& e2) {
        throw errore_file(e.percorso, e.motivo + "; putting the earlier set back failed too (" + e2.percorso +
                                          ": " + e2.motivo + ")" + dove_sono(cartella, voci));
      }
      rimuovi_giornale(cartella);
      throw;
    }
  }
  sistema::scarica_cartella(cartella);
  rimuovi_riserve(cartella, voci);
  rimuovi_giornale(cartella);
}

void scrivi_file(const std::string& percorso, std::string_view contenuto) {
  std::error_code ec;
  std::filesystem::file_status stato = std::filesystem::symlink_status(percorso_di(percorso), ec);
  if (!ec && std::filesystem::exists(stato) && !std::filesystem::is_regular_file(stato) &&
      !std::filesystem::is_directory(stato) && !std::filesystem::is_symlink(stato)) {
    std::ofstream f(percorso_di(percorso), std::ios::binary);
    f.write(contenuto.data(), static_cast<std::streamsize>(contenuto.size()));
    f.flush();
    if (!f) throw errore_file(percorso, "cannot be written");
    return;
  }
  file_nuovo file(percorso);
  file.scrivi(contenuto.data(), contenuto.size());
  file.completa();
}
