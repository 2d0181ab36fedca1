// File services on the standard library: stdio for the bytes, std::filesystem for the
// names.
#include "platform/file_servizi.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

std::string motivo_errno(int numero) { return numero != 0 ? std::strerror(numero) : "unknown error"; }

}  // namespace

bool esiste_file(const std::string& percorso) {
  std::error_code ec;
  return std::filesystem::is_regular_file(percorso, ec);
}

std::string leggi_file(const std::string& percorso) {
  errno = 0;
  std::FILE* file = std::fopen(percorso.c_str(), "rb");
  if (file == nullptr) throw errore_file(percorso, motivo_errno(errno));
  std::string contenuto;
  char blocco[65536];
  size_t letti;
  while ((letti = std::fread(blocco, 1, sizeof blocco, file)) > 0) contenuto.append(blocco, letti);
  bool guasto = std::ferror(file) != 0;
  int numero = errno;
  std::fclose(file);
  if (guasto) throw errore_file(percorso, motivo_errno(numero));
  return contenuto;
}

void elimina_file(const std::string& percorso) {
  std::error_code ec;
  if (!std::filesystem::remove(percorso, ec)) {
    throw errore_file(percorso, ec ? ec.message() : std::strerror(ENOENT));
  }
}

void elimina_se_esiste(const std::string& percorso) noexcept {
  std::error_code ec;
  std::filesystem::remove(percorso, ec);
}

file_nuovo::file_nuovo(std::string percorso) : percorso_(std::move(percorso)), temporaneo_(percorso_ + ".tmp~") {
  errno = 0;
  file_ = std::fopen(temporaneo_.c_str(), "wb");
  if (file_ == nullptr) throw errore_file(percorso_, motivo_errno(errno));
  // Callers hand over whole texts or 64 KiB blocks: no second buffer in between.
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

file_nuovo::~file_nuovo() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  elimina_se_esiste(temporaneo_);
}

void file_nuovo::scrivi(const char* dati, size_t quanti) {
  errno = 0;
  if (std::fwrite(dati, 1, quanti, file_) != quanti) fallisci(motivo_errno(errno));
}

void file_nuovo::scrivi_a(uint64_t posizione, const char* dati, size_t quanti) {
  errno = 0;
  if (std::fseek(file_, static_cast<long>(posizione), SEEK_SET) != 0) fallisci(motivo_errno(errno));
  scrivi(dati, quanti);
}

void file_nuovo::completa() {
  errno = 0;
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) {
    int numero = errno;
    elimina_se_esiste(temporaneo_);
    throw errore_file(percorso_, motivo_errno(numero));
  }
  std::error_code ec;
  std::filesystem::rename(temporaneo_, percorso_, ec);
  if (ec) {
    elimina_se_esiste(temporaneo_);
    throw errore_file(percorso_, ec.message());
  }
}

void file_nuovo::fallisci(const std::string& motivo) {
  std::fclose(file_);
  file_ = nullptr;
  elimina_se_esiste(temporaneo_);
  throw errore_file(percorso_, motivo);
}

void scrivi_file(const std::string& percorso, std::string_view contenuto) {
  file_nuovo file(percorso);
  file.scrivi(contenuto.data(), contenuto.size());
  file.completa();
}
