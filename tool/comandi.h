// The table of scenario_tool's subcommands: each one's name, usage, what it does and
// its options, every option with its value and its entry in the help. The option
// reader, each subcommand's `--help`, the general help and the synopses in the docs
// all come from it (tool/aiuto.h writes the texts): an option is declared nowhere
// else.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tool/opzioni.h"

// An option as its subcommand declares it. In the help's list an entry is its names
// and value, `-o, --output FILE`, then `aiuto`; the usage line shows it as
// `[-o FILE.svg]`, by its short name where it has one.
struct opzione_comando {
  const char* nome;                 // "--line"; "-w" for an option with a short name only
  const char* breve = nullptr;      // "-o", or nullptr
  const char* valore = nullptr;     // its value's name in the list, NAME or SECONDS; nullptr: it takes none
  const char* nell_uso = nullptr;   // the value as the usage line shows it, where that is not its name:
                                    // the choices (auto|always|never), the kind of file (FILE.svg)
  bool uguale = false;              // shown with its value joined by "=": --caret=WHEN
  bool con_la_seguente = false;     // listed in one entry with the next option: "--line NAME, --train NAME"
  std::string aiuto = {};             // the entry's text after the names, any further lines as they are shown;
                                    // empty: not listed, the text around the list tells of it
  std::string premessa = {};          // the help's text before the entry (or where it would be)
};

struct comando {
  const char* nome;
  const char* sommario;  // its line in the general help
  // The usage lines after "scenario_tool NAME": the options by their names, each in
  // brackets where it may be left out, and the operands, as in "[--force] DIR". The
  // options get their values from their declarations.
  std::vector<const char*> uso;
  std::string descrizione;                    // the help's paragraphs between the usage and the options
  std::vector<opzione_comando> opzioni = {};  // in the order of the help's list
  std::string coda = {};  // the help after the list of options (from its own blank line, where it has one)
};

// Every subcommand, in the order of the general help.
const std::vector<comando>& comandi();

// The subcommand called `nome`; nullptr for none.
const comando* trova_comando(std::string_view nome);

// The options of the subcommand `nome`, as the reader takes them.
std::vector<opzione> opzioni_di(std::string_view nome);
