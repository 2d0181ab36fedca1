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

#include "loader/caricatore.h"
#include "loader/stato_caricamento.h"
#include "model/maiuscole.h"
#include "loader/parole_chiave.h"
#include "model/testo_unicode.h"

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

bool caricatore::leggi_chiave(stato_caricamento& s) {
  if (s.lettore.fine_file()) return false;
  chiave_ = s.lettore.leggi_testo();
  if (s.lettore.fine_file()) return false;
  for (int salti = 0; salti < 2 && contiene(chiave_, "-"); ++salti) {
    chiave_ = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) return false;
  }
  luogo_record_.riga = s.lettore.riga_campo();
  luogo_record_.colonna = s.lettore.colonna_campo();
  return true;
}

// The field in `chiave_` names a record when `riconosciuta`; otherwise it is worth a
// warning unless it is blank, a known section header, or on a line already warned of
// or begun by a keyword (the values of a record not acted on are read in keyword
// position too).
void caricatore::controlla_chiave(bool riconosciuta, const char* const* sezioni) {
  if (riga_avvisata_ == luogo_record_.riga) return;
  if (riconosciuta) riga_avvisata_ = luogo_record_.riga;  // a curve without a plan leaves its values unread
  if (riconosciuta || senza_spazi(chiave_).empty() || sezione_nota(chiave_, sezioni)) return;
  riga_avvisata_ = luogo_record_.riga;
  if (chiude_parte_generale(chiave_)) {
    avvisa("unknown-section", "unknown section header " + tra_virgolette(senza_spazi(chiave_)));
    return;
  }
  avvisa("unknown-keyword", tra_virgolette(senza_spazi(chiave_)) + " names no record: the line is ignored");
}

// A file read to its end should end with "[fine]"; one that does not was probably cut
// short, and its last field was never acted on.
void caricatore::controlla_fine(stato_caricamento& s) {
  std::string_view testo = senza_spazi(s.lettore.testo());
  size_t taglio = testo.find_last_of(",\r\n");
  std::string ultimo(senza_spazi(taglio == std::string_view::npos ? testo : testo.substr(taglio + 1)));
  if (minuscolo(ultimo) == "[fine]") return;
  avvisa("missing-end", "the file does not end with [fine]: its last field is never read",
         {luogo_record_.file, 0, 0});
}
