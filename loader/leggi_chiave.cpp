// The field in keyword position, as the body of the line file and the service file
// read it: a hyphenated field (a remark or a separator) is dropped, at most twice in a
// row, and the end of the file is looked for after every field, so that the last field
// of a file is never acted on.
//
// Beside it, the warnings about what the author wrote in keyword position: a field
// that names no record and is no known section header, and a file that does not end
// with its end marker.
#include <algorithm>
#include <cstring>

#include "compiler/compilatore.h"
#include "loader/stato_caricamento.h"
#include "sources/maiuscole.h"
#include "sources/parole_chiave.h"
#include "tool/testo_unicode.h"

const char* const sezioni_linea[] = {"[generale]",  "[curve]", "[pendenze]", "[montagne]", "[cartelli]",
                                     "[indicazioni]", "[fine]",  nullptr};
const char* const sezioni_servizio[] = {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]",
                                        "[segnali]",  "[codici]",   "[fine]",       nullptr};

namespace {

std::string_view senza_spazi(std::string_view t) {
  size_t inizio = t.find_first_not_of(" \t\r\n");
  if (inizio == std::string_view::npos) return {};
  return t.substr(inizio, t.find_last_not_of(" \t\r\n") - inizio + 1);
}

bool sezione_nota(std::string_view campo, const char* const* sezioni) {
  std::string cercato = minuscolo(std::string(senza_spazi(campo)));
  for (; *sezioni != nullptr; ++sezioni) {
    if (cercato == *sezioni) return true;
  }
  return false;
}

}  // namespace

bool compilatore::leggi_chiave(stato_caricamento& s) {
  if (s.lettore.fine_file()) return false;
  riga = s.lettore.leggi_testo();
  if (s.lettore.fine_file()) return false;
  for (int salti = 0; salti < 2 && contiene(riga, "-"); ++salti) {
    riga = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) return false;
  }
  luogo_record.riga = s.lettore.riga_campo();
  luogo_record.colonna = s.lettore.colonna_campo();
  return true;
}

// The field in `riga` names a record when `riconosciuta`; otherwise it is worth a
// warning unless it is blank, a known section header, or on a line already warned of
// or begun by a keyword (the values of a record not acted on are read in keyword
// position too).
void compilatore::controlla_chiave(bool riconosciuta, const char* const* sezioni) {
  if (riga_avvisata_ == luogo_record.riga) return;
  if (riconosciuta) riga_avvisata_ = luogo_record.riga;  // a curve without a plan leaves its values unread
  if (riconosciuta || senza_spazi(riga).empty() || sezione_nota(riga, sezioni)) return;
  riga_avvisata_ = luogo_record.riga;
  if (chiude_parte_generale(riga)) {
    avvisa("unknown-section", "unknown section header " + tra_virgolette(senza_spazi(riga)));
    return;
  }
  avvisa("unknown-keyword", tra_virgolette(senza_spazi(riga)) + " names no record: the line is ignored");
}

// A file read to its end should end with "[fine]"; one that does not was probably cut
// short, and its last field was never acted on.
void compilatore::controlla_fine(stato_caricamento& s) {
  std::string_view testo = senza_spazi(s.lettore.testo());
  size_t taglio = testo.find_last_of(",\r\n");
  std::string ultimo(senza_spazi(taglio == std::string_view::npos ? testo : testo.substr(taglio + 1)));
  if (minuscolo(ultimo) == "[fine]") return;
  avvisa("missing-end", "the file does not end with [fine]: its last field is never read",
         {luogo_record.file, 0, 0});
}
