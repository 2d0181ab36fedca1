// The five built-in text files by name.
#include "documents/testi_documenti.h"
#include "model/nomi_file.h"
#include "sources/testi_sorgenti.h"

std::vector<testo_incorporato> testi_incorporati() {
  const std::string l = linea_incorporata, t = treno_incorporato;
  return {{nome_file_linea(l), testo_linea()},
          {nome_file_servizio(l, t), testo_servizio()},
          {nome_file_note(l, t), testo_note()},
          {nome_file_rallentamenti(l, t), testo_rallentamenti()},
          {nome_file_scheda(l, t), testo_scheda()}};
}
