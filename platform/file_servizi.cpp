// File services on the system's primitives: the writing of a file anew, the replacement
// of a set of files (its journal in giornale.cpp), and the clean-up of what a killed run
// left.
#include "platform/file_servizi.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

#include "platform/nomi_temporanei.h"
#include "platform/percorso.h"

namespace {

constexpr const char* non_regolare = "not a regular file";

// Writes `contenuto` as a new file under `percorso`, renamed onto it.
void scrivi_nuovo(const std::string& percorso, std::string_view contenuto) {
  file_nuovo file(percorso);
  file.scrivi(contenuto.data(), contenuto.size());
  file.completa();
}

// A second name for the earlier file under `percorso`, so that it can be put back;
// empty when there is no earlier file. Where no hard link is made (none on the file
// system, or one that could not be deleted again), the earlier content is copied (and
// flushed); so it is for a link, whose second name would be a link too. A FIFO, a socket
// or a device under the name is refused, not replaced.
std::string conserva(const std::string& percorso) {
  sistema::tipo_nome tipo = sistema::guarda_nome(percorso);
  if (tipo == sistema::tipo_nome::speciale) throw errore_file(percorso, non_regolare);
  if (!sistema::esiste_file(percorso)) return "";
  std::string seconda = nome_temporaneo(percorso);
  try {
    if (tipo == sistema::tipo_nome::file && sistema::collega(percorso, seconda)) return seconda;
  } catch (const errore_file& e) {
    throw errore_file(percorso, e.motivo + " (making the backup " + dividi(seconda).second + ")");
  }
  file_nuovo copia(percorso);
  std::string contenuto = leggi_file(percorso);
  copia.scrivi(contenuto.data(), contenuto.size());
  copia.chiudi();
  return copia.cedi_temporaneo();
}

// Writes the journal: under a temporary name, flushed, renamed onto its own name, and
// the directory flushed, so that it is whole on the disk before the first rename.
void scrivi_giornale(const std::string& cartella, const std::vector<giornale::voce>& voci) {
  std::string testo = giornale::testo(voci);
  file_nuovo file(in_cartella(cartella, nome_giornale));
  file.scrivi(testo.data(), testo.size());
  file.completa();
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
  giornale::riprendi(cartella, nomi);
  for (const std::string& voce : sistema::nomi_in_cartella(cartella)) {
    for (const std::string& nome : nomi) {
      if (avanzo_di(voce, nome)) sistema::elimina_se_esiste(in_cartella(cartella, voce));
    }
    if (avanzo_di(voce, nome_giornale)) sistema::elimina_se_esiste(in_cartella(cartella, voce));
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
  std::vector<giornale::voce> voci;
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
        giornale::annulla(cartella, voci);
      } catch (const errore_file& e2) {
        throw errore_file(e.percorso, e.motivo + "; putting the earlier set back failed too (" + e2.percorso +
                                          ": " + e2.motivo + ")" + giornale::dove_sono(cartella, voci));
      }
      giornale::rimuovi(cartella);
      throw;
    }
  }
  sistema::scarica_cartella(cartella);
  giornale::rimuovi_riserve(cartella, voci);
  giornale::rimuovi(cartella);
}

void scrivi_file(const std::string& percorso, std::string_view contenuto) {
  bool speciale = false;
  try {
    speciale = sistema::guarda_nome(percorso) == sistema::tipo_nome::speciale;
  } catch (const errore_file&) {
    // Told by the write itself, as it is for a name that cannot be looked at.
  }
  if (speciale) throw errore_file(percorso, non_regolare);
  scrivi_nuovo(percorso, contenuto);
}

void scrivi_uscita(const std::string& percorso, std::string_view contenuto) {
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
  scrivi_nuovo(percorso, contenuto);
}
