// nomi_temporanei: the names the file services give the files they make beside a final
// one (NAME.<16 hex digits>.tmp~, for a file being written and for an earlier file's
// backup alike), how such a name is told from any other, and a path split into its
// directory and its name.
#pragma once

#include <string>
#include <utility>

// A temporary name for `percorso`, different for every call: "PERCORSO.<16 hex>.tmp~".
std::string nome_temporaneo(const std::string& percorso);

// True when `nome` is a name that `nome_temporaneo` makes for the file `base`.
bool temporaneo_di(const std::string& nome, const std::string& base);

// As `temporaneo_di`, and also the fixed "BASE.tmp~" of earlier versions: a leftover.
bool avanzo_di(const std::string& nome, const std::string& base);

// The directory and the name of a path, split at its last separator ("." when it has
// none).
std::pair<std::string, std::string> dividi(const std::string& percorso);

// The path of `nome` in `cartella`.
std::string in_cartella(const std::string& cartella, const std::string& nome);
