// leggi_chiave: the reading of one source file around its records. The field in
// keyword position is read and becomes the record being read; what the author wrote
// there or around a record's values is warned of: a field that names no record, a
// tab for a comma, a record whose fields run onto a later line or leave one over, and
// a file that does not end with its end marker.
#pragma once

#include <span>
#include <string>

#include "loader/lettore_campi.h"
#include "loader/record_letto.h"

class diagnosi;

// One source file being read: its field reader, the field read last in keyword
// position, and the last line given an unknown-keyword warning.
struct lettura {
  lettore_campi lettore{""};
  std::string chiave;
  int riga_avvisata = 0;
};

// The next keyword of the line file's body or the service file: false at the end of
// the file.
bool leggi_chiave(lettura& f, diagnosi& d);
// The keyword field just read becomes the record being read.
void prendi_chiave(const lettura& f, diagnosi& d);
// The keyword read names the record `riconosciuta`, or none (nullptr): a warning
// where it is worth one. `sezioni` are the file's known section headers, `parole` its
// keywords as written.
void controlla_chiave(lettura& f, diagnosi& d, const forma_record* riconosciuta, const char* const* sezioni,
                      std::span<const char* const> parole);
// After one record's values: a record that took a field from a later line is warned of.
void dopo_valori(const lettore_campi& l, diagnosi& d, esito_record esito);
// After the records of one keyword: a field left over on the line is warned of.
void avvisa_campo_in_piu(lettura& f, diagnosi& d, const forma_record& forma);
// After a file read to its end: a warning unless it ends with "[fine]".
void controlla_fine(const lettore_campi& l, diagnosi& d);
