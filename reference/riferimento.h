// The reference of every code and warning: docs/codes.md, built into the program.
// `scenario_tool explain` prints one section of it.
#pragma once

#include <string>

extern const char* const testo_codici;

// The section of `testo` for a code ("16") or a warning's name ("unknown-keyword"):
// from its heading to the next heading, without the trailing blank lines; empty when
// there is none.
std::string sezione_riferimento(const std::string& testo, const std::string& chi);
