// What the program that starts the language server tells it: the reference of the
// codes, its version, whether it may read partners from the disk, and the function
// behind the command scenario.openView. Set once, before the first message.
#pragma once

#include <functional>
#include <string>

struct opzioni_lsp {
  // The reference of every code and warning (docs/codes.md), shown on hover over a
  // diagnostic; none when null.
  const char* riferimento = nullptr;
  // The section of the reference for one code or name (empty when there is none).
  std::string (*sezione)(const std::string& testo, const std::string& chi) = nullptr;
  std::string versione;
  // The file: URI of the reference installed with the program, linked from every
  // diagnostic at its section; no link when empty.
  std::string riferimento_uri;
  // Partners looked for on the disk; off, only open buffers pair up.
  bool legge_disco = true;
  // The command scenario.openView (lsp/richiesta_vista.cpp): starts, once per route,
  // the live view of the pair `linea`, `treno` in the folder `cartella`, and gives its
  // address (http://127.0.0.1:PORT/); throws when it cannot. Null: no such command.
  std::function<std::string(const std::string& cartella, const std::string& linea, const std::string& treno)>
      apri_vista;
};
