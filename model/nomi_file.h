// The names of every file a run reads or writes, formed from the route name and the
// train name. A full path is the program's directory, one separator, then the name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The built-in route and train.
inline constexpr const char* linea_incorporata = "QUMA-DORVIA_MIRELO";
inline constexpr const char* treno_incorporato = "brezane";

inline std::string nome_file_linea(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_file_servizio(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "-.txt";
}
inline std::string nome_file_note(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "_" + "note.txt";
}
inline std::string nome_file_rallentamenti(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "_" + "rallentamenti.txt";
}
inline std::string nome_file_scheda(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + "_" + "scheda_treno.txt";
}
inline std::string nome_file_piano(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string nome_file_tabella(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".sim";
}
inline std::string nome_file_griglia(const std::string& linea, const std::string& treno) {
  return linea + "_" + treno + ".dat";
}

// Every file a run writes into its directory, the two source files first.
inline std::vector<std::string> nomi_file_corsa(const std::string& linea, const std::string& treno) {
  return {nome_file_linea(linea),          nome_file_servizio(linea, treno), nome_file_note(linea, treno),
          nome_file_rallentamenti(linea, treno), nome_file_scheda(linea, treno),  nome_file_piano(linea),
          nome_file_tabella(linea, treno), nome_file_griglia(linea, treno)};
}

// The longest file name a system takes is 255 bytes (255 UTF-16 units on Windows, never
// more than the bytes of the same name); a file is written under its name followed by
// ".<16 hex digits>.tmp~" first, 22 bytes more, so its own name is at most this long.
inline constexpr size_t nome_file_massimo = 255 - 22;

// The separator between the directory and a file name, the system's own, so the paths
// shown read as the user writes them; it is always appended, whatever the directory
// text ends with.
#ifdef _WIN32
inline constexpr char separatore = '\\';
#else
inline constexpr char separatore = '/';
#endif

inline std::string percorso_in(const std::string& cartella, const std::string& nome) {
  return cartella + separatore + nome;
}
