// The diagnostics of a compilation or a check, for a route author, in the one form that
// editors read for source diagnostics:
//
//   FILE:LINE:COLUMN: error: MESSAGE [code N]
//   FILE:LINE:COLUMN: warning: MESSAGE [NAME]
//   FILE:LINE:COLUMN: note: MESSAGE
//   N errors, M warnings
//
// FILE is the source file in the author's directory; LINE and COLUMN the start of the
// text the diagnostic is about; a problem of a file as a whole, or of a whole line, is
// placed at line 1 or column 1. Where the sources' text is at hand and carets are
// asked for, each error and warning is followed by its source line and a marker under
// the range, as compilers print them:
//
//      76 | segnale,  17.000,  2, 3, 1,  1, 0,  0,  0,0,0, 0
//         |           ^~~~~~
//
// As JSON, each diagnostic is one object on a line of its own, written compactly, with
// the range's end (the column just after its last character) and the fixes an editor
// can apply:
//
//   {"file":F,"line":L,"column":C,"end_line":L2,"end_column":C2,
//    "severity":"error" or "warning",
//    "code":N (an error's code) or NAME (a warning's name),"message":M,
//    "notes":[{"file":F,"line":L,"column":C,"end_line":L2,"end_column":C2,"message":M},...],
//    "fixes":[{"range":{"line":L,"column":C,"end_line":L2,"end_column":C2},"replacement":T},...]}
//
// with no closing count line.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "model/diagnostica.h"

enum class formato_diagnostiche { testo, json };

// Writes `diagnostiche`; `cartella_sorgenti` is the directory that FILE is named in.
// The text form ends with the count line when `con_conteggio`.
// `testi` holds the sources' text by file name, for the caret lines; without it there
// are none.
void scrivi_diagnostiche(const std::vector<diagnostica>& diagnostiche, const std::string& cartella_sorgenti,
                         formato_diagnostiche formato, bool con_conteggio, std::ostream& u,
                         const std::map<std::string, std::string>* testi = nullptr);

// When the caret lines are shown: "auto" where the stream is a terminal, "always",
// "never". The program's entry says which standard streams are terminals.
enum class modo_caret { automatico, sempre, mai };
void imposta_terminali(bool uscita, bool errori);
bool mostra_caret(modo_caret modo, bool su_errori);
// Reads --caret's value; false when it is none of the three.
bool leggi_modo_caret(const std::string& valore, modo_caret& modo);
