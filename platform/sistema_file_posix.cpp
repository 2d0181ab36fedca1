// The file primitives on a POSIX system: plain descriptors, open(2) with O_EXCL and
// O_NOFOLLOW for every file created, rename(2) for replacement, flock(2) on the
// directory itself for the lock, fsync(2) on every file before its rename and on the
// directory after. A limit on the size of files (ulimit -f) would kill
// the process with SIGXFSZ in the middle of a write; it is ignored from the first file
// created on, so the write fails with EFBIG like any other and is reported.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

#include "platform/sistema_file.h"

namespace sistema {

namespace {

std::string motivo(int numero) { return numero != 0 ? std::strerror(numero) : "unknown error"; }

[[noreturn]] void fallisci(const std::string& percorso, int numero) { throw errore_file(percorso, motivo(numero)); }

// Reads up to `quanti` bytes, again after an interruption.
ssize_t leggi_parte(int file, char* dati, size_t quanti) {
  ssize_t letti;
  do letti = ::read(file, dati, quanti);
  while (letti < 0 && errno == EINTR);
  return letti;
}

}  // namespace

bool crea_esclusivo(const std::string& percorso, manico& file) {
  static const bool limite_come_errore = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
  (void)limite_come_errore;
  file = ::open(percorso.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (file >= 0) return true;
  if (errno == EEXIST) return false;
  fallisci(percorso, errno);
}

void scrivi_a(manico file, const std::string& percorso, uint64_t posizione, const char* dati, size_t quanti) {
  while (quanti > 0) {
    ssize_t scritti = ::pwrite(file, dati, quanti, static_cast<off_t>(posizione));
    if (scritti < 0 && errno == EINTR) continue;
    if (scritti <= 0) fallisci(percorso, scritti < 0 ? errno : ENOSPC);
    dati += scritti;
    quanti -= static_cast<size_t>(scritti);
    posizione += static_cast<uint64_t>(scritti);
  }
}

void scarica(manico file, const std::string& percorso) {
  int esito;
  do esito = ::fsync(file);
  while (esito != 0 && errno == EINTR);
  if (esito != 0) fallisci(percorso, errno);
}

// A file system that cannot flush a directory (EINVAL) keeps its entries as it can.
void scarica_cartella(const std::string& cartella) {
  int file = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (file < 0) fallisci(cartella, errno);
  int esito;
  do esito = ::fsync(file);
  while (esito != 0 && errno == EINTR);
  int numero = errno;
  ::close(file);
  if (esito != 0 && numero != EINVAL) fallisci(cartella, numero);
}

void chiudi(manico file, const std::string& percorso) {
  if (::close(file) != 0 && errno != EINTR) fallisci(percorso, errno);
}

void chiudi_in_silenzio(manico file) noexcept { ::close(file); }

void sostituisci(const std::string& da, const std::string& a) {
  if (::rename(da.c_str(), a.c_str()) != 0) fallisci(a, errno);
}

bool collega(const std::string& esistente, const std::string& nuovo) {
  if (::link(esistente.c_str(), nuovo.c_str()) == 0) return true;
  if (errno == EPERM || errno == EOPNOTSUPP || errno == EXDEV || errno == EMLINK) return false;
  fallisci(nuovo, errno);
}

void elimina(const std::string& percorso) {
  if (::unlink(percorso.c_str()) != 0) fallisci(percorso, errno);
}

void elimina_se_esiste(const std::string& percorso) noexcept { ::unlink(percorso.c_str()); }

voce guarda(const std::string& percorso) {
  struct stat s{};
  if (::stat(percorso.c_str(), &s) == 0) return S_ISREG(s.st_mode) ? voce::file : voce::altro;
  if (errno == ENOENT || errno == ENOTDIR) return voce::nessuna;
  fallisci(percorso, errno);
}

bool esiste_file(const std::string& percorso) { return guarda(percorso) == voce::file; }

tipo_nome guarda_nome(const std::string& percorso) {
  struct stat s{};
  if (::lstat(percorso.c_str(), &s) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return tipo_nome::nessuno;
    fallisci(percorso, errno);
  }
  if (S_ISREG(s.st_mode)) return tipo_nome::file;
  if (S_ISLNK(s.st_mode)) return tipo_nome::collegamento;
  if (S_ISDIR(s.st_mode)) return tipo_nome::cartella;
  return tipo_nome::speciale;
}

// The file is opened without waiting (a FIFO would otherwise block the open until a
// writer comes) and looked at through its descriptor before anything is read.
std::string leggi(const std::string& percorso, uint64_t massimo) {
  int file = ::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) fallisci(percorso, errno);
  struct stat s{};
  if (::fstat(file, &s) != 0) {
    int numero = errno;
    ::close(file);
    fallisci(percorso, numero);
  }
  std::string rifiuto;
  if (S_ISDIR(s.st_mode)) {
    rifiuto = "is a directory";
  } else if (!S_ISREG(s.st_mode)) {
    rifiuto = "not a regular file";
  } else if (static_cast<uint64_t>(s.st_size) > massimo) {
    rifiuto = "larger than " + std::to_string(massimo) + " bytes";
  }
  if (!rifiuto.empty()) {
    ::close(file);
    throw errore_file(percorso, rifiuto);
  }
  // The size read above bounds the read, even if the file grows meanwhile.
  std::string contenuto(static_cast<size_t>(s.st_size), '\0');
  size_t pieni = 0;
  while (pieni < contenuto.size()) {
    ssize_t letti = leggi_parte(file, contenuto.data() + pieni, contenuto.size() - pieni);
    if (letti < 0) {
      int numero = errno;
      ::close(file);
      fallisci(percorso, numero);
    }
    if (letti == 0) break;
    pieni += static_cast<size_t>(letti);
  }
  ::close(file);
  contenuto.resize(pieni);
  return contenuto;
}

std::vector<std::string> nomi_in_cartella(const std::string& cartella) noexcept {
  std::vector<std::string> nomi;
  DIR* d = ::opendir(cartella.c_str());
  if (d == nullptr) return nomi;
  while (dirent* voce = ::readdir(d)) {
    std::string nome = voce->d_name;
    if (nome != "." && nome != "..") nomi.push_back(std::move(nome));
  }
  ::closedir(d);
  return nomi;
}

// The lock is tried without waiting, again every 20 ms, so that the wait can be told
// and bounded.
blocco_cartella::blocco_cartella(const std::string& cartella, const std::function<void()>& in_attesa,
                                 std::chrono::milliseconds limite) {
  manico_ = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (manico_ < 0) fallisci(cartella, errno);
  // A folder that cannot be written into is told as such, before any file is tried there.
  if (::faccessat(AT_FDCWD, cartella.c_str(), W_OK | X_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EROFS)) {
    int numero = errno;
    ::close(manico_);
    throw errore_cartella(cartella, motivo(numero));
  }
  const auto inizio = std::chrono::steady_clock::now();
  bool detto = false;
  for (;;) {
    if (::flock(manico_, LOCK_EX | LOCK_NB) == 0) return;
    int numero = errno;
    if (numero == EINTR) continue;
    auto atteso = std::chrono::steady_clock::now() - inizio;
    if (numero != EWOULDBLOCK || atteso >= limite) {
      ::close(manico_);
      if (numero == EWOULDBLOCK) throw errore_file(cartella, motivo_blocco_scaduto(limite));
      fallisci(cartella, numero);
    }
    if (!detto && atteso >= attesa_prima_di_dirlo) {
      detto = true;
      if (in_attesa) in_attesa();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

blocco_cartella::~blocco_cartella() { ::close(manico_); }

}  // namespace sistema
