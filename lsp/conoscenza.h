// What the server knows of the two formats, read off the loader's own tables: the
// records a keyword names (by the loader's tests), their fields, the section headers,
// and a source file's lines taken apart as the loader reads a record written on one
// line. Used for hover, completion and the outline; nothing here compiles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "loader/lettore_campi.h"
#include "lsp/coppia.h"

// One field of a line, in bytes of the line from 1 (`fine` just after its last
// byte); `indice` 1 is the keyword, 2 the first value.
struct campo_riga {
  int inizio = 0;
  int fine = 0;
  std::string testo;
  int indice = 0;
};

enum class parte_file { preambolo, generale, corpo };
enum class tipo_riga { vuota, nota, intestazione, record, ignota };

struct riga_analizzata {
  int riga = 0;  // from 0
  tipo_riga tipo = tipo_riga::vuota;
  parte_file parte = parte_file::preambolo;
  std::string sezione;  // the header in effect, as written, blanks around it removed
  std::vector<const forma_record*> record;  // the records the keyword names
  std::vector<campo_riga> campi;
};

// Lines `da` to `a` (not included; every line by default) of a file of kind `tipo`,
// given its Windows-1252 lines. The lines before `da` are looked at only for their
// headers: a few lines are quick however long the file.
std::vector<riga_analizzata> analizza(tipo_sorgente tipo, const std::vector<std::string_view>& righe, size_t da = 0,
                                      size_t a = SIZE_MAX);

// The part and the section in effect after the first `n` lines (only their headers
// looked at).
struct stato_righe {
  parte_file parte = parte_file::preambolo;
  std::string sezione;
};
stato_righe stato_dopo(tipo_sorgente tipo, const std::vector<std::string_view>& righe, size_t n);

// The fields of one line: the keyword, then the values of `f` (numbers end at a comma
// or a blank, a text field runs to the comma); without a record, comma-separated.
std::vector<campo_riga> campi_di(std::string_view riga, const forma_record* f);

// The headers the loader knows in a file of kind `tipo`.
std::vector<std::string> sezioni_di(tipo_sorgente tipo);
// What a section usually holds, in one line; empty for an unknown one.
std::string descrizione_sezione(tipo_sorgente tipo, std::string_view sezione);

// What a record is: "signal", "station", ...
std::string titolo_record(const forma_record& f);

// Whether field `indice` (from 2, the first value) of `f` is text: the signboard's text
// and the station's name; every other value is a number. Without a record, true.
bool campo_di_testo(const forma_record* f, int indice);

// The whole record as a snippet: `parola`, then every field as a numbered placeholder
// (the field's short name in parentheses where it has one, else its meaning).
std::string snippet_record(std::string_view parola, const forma_record& f);

// The keywords as written that may begin a record on a line of `parte` (the general
// part or the body); those that fit `sezione` first, with `adatta` set.
struct parola_proposta {
  std::string parola;
  const forma_record* forma = nullptr;
  bool adatta = false;
};
std::vector<parola_proposta> parole_per(tipo_sorgente tipo, parte_file parte, std::string_view sezione);

// The Markdown shown on a keyword: the record and its fields.
std::string testo_record(const forma_record& f);
// The Markdown shown on a value field: its name and meaning, and what the compiler
// makes of it where that is easy to say (a position in km and its cell, a rounded
// speed).
std::string testo_campo(const forma_record& f, const campo_riga& c);
// The km of a value field that places something along the route, as the outline writes
// it ("km 4.100"); empty for any other field and for a value that is not a number.
std::string km_posizione(const forma_record& f, const campo_riga& c);
// The metres of the first field of a record's line that places it along the route.
std::optional<long long> metri_record(const riga_analizzata& r);

// A record or a section for the outline.
struct simbolo {
  std::string nome;
  std::string dettaglio;
  int tipo = 0;  // the protocol's SymbolKind
  int riga = 0, riga_fine = 0;  // from 0
  int inizio = 1, fine = 1;  // the name's bytes on `riga`, from 1
  std::vector<simbolo> figli;
};
std::vector<simbolo> simboli(const std::vector<riga_analizzata>& righe);

// "km 17.250" for 17250 m (model/chilometri.h).
std::string in_km(long long metri);
