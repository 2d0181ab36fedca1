// File services of the platform: existence test, whole-file read, deletion, and the
// writing of a file anew.
//
// A file is never written in place: `file_nuovo` writes a temporary file in the same
// directory and renames it onto the final name only when every byte is written, so a
// failed write leaves the earlier file as it was and no temporary file behind. Every
// failure is an `errore_file` that names the file and the system's reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/errore_file.h"

// True when `percorso` names an existing regular file.
bool esiste_file(const std::string& percorso);

// The whole content of a file.
std::string leggi_file(const std::string& percorso);

// Deletes a file; a missing file is a failure too.
void elimina_file(const std::string& percorso);

// Deletes a file if it exists and never fails: for cleaning up after another failure.
void elimina_se_esiste(const std::string& percorso) noexcept;

// A file being written anew under `percorso`.
class file_nuovo {
 public:
  explicit file_nuovo(std::string percorso);
  ~file_nuovo();
  file_nuovo(const file_nuovo&) = delete;
  file_nuovo& operator=(const file_nuovo&) = delete;

  void scrivi(const char* dati, size_t quanti);
  // Writes at `posizione` bytes from the start of the file.
  void scrivi_a(uint64_t posizione, const char* dati, size_t quanti);
  // Closes the temporary file and renames it onto the final name.
  void completa();

 private:
  [[noreturn]] void fallisci(const std::string& motivo);

  std::string percorso_;
  std::string temporaneo_;
  std::FILE* file_ = nullptr;
};

// Writes `contenuto` as the whole new content of `percorso`.
void scrivi_file(const std::string& percorso, std::string_view contenuto);
