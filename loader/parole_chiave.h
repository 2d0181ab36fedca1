// The keyword tables of the two source files.
//
// A field in keyword position is tested against every row of its table, in the
// table's order, by substring tests; the tests are not exclusive, so one field may
// name several records, whose values are then read one record after the other.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// General part of the line file.
enum class record_generale {
  lunghezza_percorso,   // "lunghezza" and "percorso", any case
  progressiva_tre,      // "tre" and "progressiva", lower case
  progressiva_due,      // "due" and "progressiva"
  progressiva_uno,      // "uno" and "progressiva"
  sfondo_uno,           // "sfondo" and "uno"
  sfondo_due,           // "sfondo" and "due"
  sfondo_tre,           // "sfondo" and "tre"
  ripetizione_segnali,  // "segnali" and "ripetizione"
};

// Body of the line file; every test ignores letter case.
enum class record_corpo {
  pendenza,        // "pendenza"
  curva,           // "curva", only while the plan is computed
  montagna,        // "montagna"
  indicatori_v,    // "indicatori_v"
  cartello,        // "indicat" and "cartello"
};

// Service file; every test ignores letter case.
enum class record_servizio {
  massa_frenata,  // "frenata" and "massa"
  vetture,        // "vetture"
  velocita,       // "velocit"
  aderenza,       // "aderenza"
  orologio,       // "orologio"
  sabbia,         // "sabbia"
  segnale,        // "segnale"
  rallentamento,  // "rallentamento"
  abbattimento,   // "abbattimento"
  stazione,       // "stazione"
};

std::vector<record_generale> record_generali(std::string_view campo);
std::vector<record_corpo> record_del_corpo(std::string_view campo, bool con_tracciato);
std::vector<record_servizio> record_del_servizio(std::string_view campo);

// The section headers that the built-in files use, each list ending with a null.
extern const char* const sezioni_linea[];
extern const char* const sezioni_servizio[];

// The field that starts a file's content: it contains "[generale]", any case.
bool e_generale(std::string_view campo);

// The header that ends the general part of the line file: with leading blanks
// removed it does not begin with "-", and it contains "[" and "]".
bool chiude_parte_generale(std::string_view campo);

// The word of `parole` nearest to `campo` (letter case and the blanks around it
// ignored) when it is near enough to be a misspelling of it: at most one edit (a
// letter added, dropped, changed, or two neighbours swapped) in four letters, and two
// at most; else nothing.
std::string parola_vicina(std::string_view campo, std::span<const char* const> parole);

// A curve key's class: the first of the digits 1 to 6 that it contains, looked for
// in that order; 0 when it has none.
int classe_curva(std::string_view chiave);

// A curve key with an "s" in any case is a left-hand curve.
bool curva_sinistra(std::string_view chiave);

// The cab-signalling code system named by the key: 4 when it contains "4", else 9
// when it contains "9", else 0.
int sistema_codici(std::string_view chiave);
