// The diagnostics of a compilation or a check, for a route author, in the one form that
// editors read for source diagnostics:
//
//   FILE:LINE:COLUMN: error: MESSAGE [code N]
//   FILE:LINE:COLUMN: warning: MESSAGE [NAME]
//   FILE:LINE:COLUMN: note: MESSAGE
//   N errors, M warnings
//
// FILE is the source file in the author's directory; a problem of a file as a whole,
// or of a whole line, is placed at line 1 or column 1. As JSON, each diagnostic is one
// object on a line of its own:
//
//   {"file": F, "line": L, "column": C, "severity": "error" or "warning",
//    "code": N (an error's code) or NAME (a warning's name), "message": M,
//    "notes": [{"file": F, "line": L, "column": C, "message": M}, ...]}
//
// with no closing count line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "model/diagnostica.h"

enum class formato_diagnostiche { testo, json };

// Writes `diagnostiche`; `cartella_sorgenti` is the directory that FILE is named in.
// The text form ends with the count line when `con_conteggio`.
void scrivi_diagnostiche(const std::vector<diagnostica>& diagnostiche, const std::string& cartella_sorgenti,
                         formato_diagnostiche formato, bool con_conteggio, std::ostream& u);
