// Which file is which, and the pair a file belongs to.
//
// A line description is NAME_linea.txt and a service description NAME_TRAIN-.txt;
// the two are compiled together when they stand in the same folder. The editor names
// files by URI: file:///folder/NAME_linea.txt, with its bytes outside a small set
// written as %XX.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class tipo_sorgente { linea, servizio, altro };

// The kind of a file by its name; a name that is not one plain file name once decoded
// (a slash, a backslash, "..", a colon) is no source file: nothing is read for it.
tipo_sorgente tipo_di(const std::string& nome);

// The URI's path decoded (on Windows without the slash before the drive letter, with
// backslashes), for a file: URI on this machine only, each segment decoded once and
// one name: nothing for a segment that decodes to a slash, a backslash, "." or "..",
// for a network path, and on Windows for a colon anywhere but in the drive.
std::optional<std::string> percorso_da_uri(const std::string& uri);
// The file: URI of a path, as editors write it.
std::string uri_da_percorso(const std::string& percorso);

// A URI's folder part (up to and with its last slash, as written) and its file name,
// decoded once.
std::string cartella_uri(const std::string& uri);
std::string nome_uri(const std::string& uri);

// The route and train names of a pair: of a line file, with the names of the service
// files at hand (`candidati`, in order of preference); of a service file, with the
// line files at hand. Nothing when no partner is there: `linea` alone from a line file.
struct nomi_coppia {
  std::string linea;
  std::string treno;  // empty when no service file was found
};
nomi_coppia nomi_da_linea(const std::string& nome_linea, const std::vector<std::string>& candidati);
// The longest NAME of the line files `candidati` that the service file's name starts
// with; where none is there, the name split at its last "_".
nomi_coppia nomi_da_servizio(const std::string& nome_servizio, const std::vector<std::string>& candidati);
