// Paths as the program holds them, UTF-8 text, and as std::filesystem takes them. A
// narrow string given to std::filesystem is read in the system's own code page, which
// on Windows is not UTF-8: every path goes through these two instead.
#pragma once

#include <filesystem>
#include <string>

inline std::filesystem::path percorso_di(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string testo_di(const std::filesystem::path& p) {
  std::u8string utf8 = p.u8string();
  return std::string(utf8.begin(), utf8.end());
}
