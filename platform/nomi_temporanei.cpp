// The temporary names of the file services: drawn from a generator seeded once a thread
// from the system's source of randomness, and recognised by their pattern.
#include "platform/nomi_temporanei.h"

#include <cstdint>
#include <random>
#include <string_view>

#include "model/nomi_file.h"

namespace {

constexpr std::string_view coda_temporaneo = ".tmp~";
constexpr size_t cifre_temporaneo = 16;
static_assert(nome_file_massimo + 1 + cifre_temporaneo + coda_temporaneo.size() == 255,
              "a file name of the longest allowed length must leave room for its temporary suffix");

// 16 hex digits, different for every call.
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

}  // namespace

std::string nome_temporaneo(const std::string& percorso) {
  return percorso + "." + cifre_casuali() + std::string(coda_temporaneo);
}

bool temporaneo_di(const std::string& nome, const std::string& base) {
  if (nome.size() != base.size() + 1 + cifre_temporaneo + coda_temporaneo.size()) return false;
  if (!nome.starts_with(base + ".") || !nome.ends_with(coda_temporaneo)) return false;
  for (char c : std::string_view(nome).substr(base.size() + 1, cifre_temporaneo)) {
    if ((c < '0' || c > '9') && (c < 'a' || c > 'f')) return false;
  }
  return true;
}

bool avanzo_di(const std::string& nome, const std::string& base) {
  return nome == base + std::string(coda_temporaneo) || temporaneo_di(nome, base);
}

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
