// The built-in source files, as text: the line description of the route
// QUMA-DORVIA_MIRELO and the service description of the train brezane on it, each
// Windows-1252 with CR LF line ends, as the run writes them and the loader reads them.
#pragma once

#include <string>

#include "loader/sorgenti_scenario.h"
#include "model/nomi_file.h"

std::string testo_linea();
std::string testo_servizio();

// The two in memory, under their file names.
inline sorgenti_in_memoria sorgenti_incorporate() {
  sorgenti_in_memoria s;
  s.file[nome_file_linea(linea_incorporata)] = testo_linea();
  s.file[nome_file_servizio(linea_incorporata, treno_incorporato)] = testo_servizio();
  return s;
}
