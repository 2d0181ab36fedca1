// Finds the executable's own directory through /proc/self/exe, falling back on the
// directory part of argv[0].
#include "platform/cartella_programma.h"

#include <filesystem>
#include <system_error>

std::string cartella_eseguibile(const char* argv0) {
  std::error_code ec;
  std::filesystem::path eseguibile = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) eseguibile = std::filesystem::absolute(argv0 != nullptr ? argv0 : ".", ec);
  std::string cartella = eseguibile.parent_path().string();
  return cartella.empty() ? "." : cartella;
}
