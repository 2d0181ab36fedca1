// The built-in crew documents of the train brezane, as text: the notes, the slowdown
// order and the train card, each Windows-1252 with CR LF line ends.
//
// `testi_incorporati` lists the five built-in text files (the two source files first)
// under the names a run gives them, in the order it writes them.
#pragma once

#include <string>
#include <vector>

std::string testo_note();
std::string testo_rallentamenti();
std::string testo_scheda();

struct testo_incorporato {
  std::string nome;
  std::string contenuto;
};

std::vector<testo_incorporato> testi_incorporati();
