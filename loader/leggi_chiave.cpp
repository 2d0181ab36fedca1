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
#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "loader/memo.h"
#include "loader/campi_record.h"
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
  s.lettore.fine_record();
  if (s.lettore.fine_file()) return false;
  chiave_ = s.lettore.leggi_testo();
  if (s.lettore.fine_file()) return false;
  for (int salti = 0; salti < 2 && contiene(chiave_, "-"); ++salti) {
    chiave_ = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) return false;
  }
  prendi_chiave(s);
  return true;
}

// The keyword field just read places the record; a tab in it, where a comma was
// surely meant, is warned of.
void caricatore::prendi_chiave(stato_caricamento& s) {
  d_.al_record(campo_letto_ora(s));
  d_.con_lettore(&s.lettore);
  const std::string& testo = s.lettore.ultimo_campo().testo;
  size_t tab = testo.find('\t');
  if (tab == std::string::npos) return;
  luogo_sorgente dove = d_.record();
  dove.colonna += static_cast<int>(tab);
  size_t dopo = testo.find_first_not_of(" \t", tab);
  dove.colonna_fine = d_.record().colonna + static_cast<int>(dopo);
  std::string pezzo = testo.substr(0, testo.find_last_not_of(" \t", tab) + 1);
  d_.avviso("tab-separator",
         "a tab stands where a comma is due: " + tra_virgolette(testo) + " is read as one field",
         dove, {{d_.record(), "the keyword is read as " + tra_virgolette(testo)}},
         {{dove, ", "}});
}

void caricatore::inizia_valori(stato_caricamento& s, const forma_record& f) { s.lettore.inizia_record(f); }

// A record whose values ran onto a later line: the reading has taken the first fields
// of that line as this record's values.
void caricatore::dopo_valori(stato_caricamento& s, esito_record esito) {
  const auto& fuori = s.lettore.campo_fuori_riga();
  if (esito != esito_record::avanti || !fuori) return;
  std::string nome = s.lettore.forma_attuale()->nome;
  size_t dovuti = s.lettore.forma_attuale()->campi.size() + 1;
  d_.avviso("too-few-fields",
         nome + " has " + std::to_string(fuori->indice - 1) + " fields on its line, " + std::to_string(dovuti) +
             " are due",
         d_.nel_file(s.lettore.fine_riga_record()),
         {{d_.nel_file(fuori->luogo), "its " + ordinale(fuori->indice) + " field is read from line " +
                                       std::to_string(fuori->luogo.riga) + " as " + tra_virgolette(fuori->testo) +
                                       ", and the fields after it out of step"}});
}

// A field left over after a record's last one is read as a keyword, and the record's
// last field holds what the author meant for an earlier one.
void caricatore::avvisa_campo_in_piu(stato_caricamento& s, const forma_record& f) {
  std::optional<campo_letto> resto = s.lettore.campo_in_piu();
  if (!resto) return;
  const campo_letto& ultimo = s.lettore.ultimo_campo();
  size_t n = f.campi.size();
  std::string nome_ultimo = n > 0 ? std::string(", ") + f.campi[n - 1] + "," : "";
  riga_avvisata_ = resto->luogo.riga;
  d_.avviso("too-many-fields",
         std::string(f.nome) + " has " + std::to_string(n + 1) + " fields: " + tra_virgolette(resto->testo) +
             " is one too many, and is read as a keyword",
         d_.nel_file(resto->luogo),
         {{campo_letto_ora(s), "the " + ordinale(ultimo.indice) + " and last field" + nome_ultimo + " is read as " +
                                   tra_virgolette(ultimo.testo)}});
}

// The field in `chiave_` names a record when `riconosciuta`; otherwise it is worth a
// warning unless it is blank, a known section header, or on a line already warned of
// or begun by a keyword (the values of a record not acted on are read in keyword
// position too).
void caricatore::controlla_chiave(const forma_record* riconosciuta, const char* const* sezioni,
                                  std::span<const char* const> parole) {
  if (riga_avvisata_ == d_.record().riga) return;
  if (riconosciuta != nullptr) {
    riga_avvisata_ = d_.record().riga;  // a curve without a plan leaves its values unread
    if (chiude_parte_generale(chiave_)) {
      d_.avviso("keyword-in-section",
             "the section header " + tra_virgolette(senza_spazi(chiave_)) + " holds a keyword: it is read as a " +
                 riconosciuta->nome + " record, and the fields after it as its values");
    }
    return;
  }
  if (senza_spazi(chiave_).empty() || sezione_nota(chiave_, sezioni)) return;
  riga_avvisata_ = d_.record().riga;
  bool sezione = chiude_parte_generale(chiave_);
  std::vector<const char*> nomi;
  if (sezione) {
    for (const char* const* p = sezioni; *p != nullptr; ++p) nomi.push_back(*p);
  }
  std::string vicina = parola_vicina(chiave_, sezione ? std::span<const char* const>(nomi) : parole);
  std::string forse = vicina.empty() ? "" : "; did you mean '" + vicina + "'?";
  std::vector<correzione> correzioni;
  if (!vicina.empty()) correzioni.push_back({d_.record(), vicina});
  if (sezione) {
    d_.avviso("unknown-section", "unknown section header " + tra_virgolette(senza_spazi(chiave_)) + forse, {}, {},
           std::move(correzioni));
    return;
  }
  d_.avviso("unknown-keyword", tra_virgolette(senza_spazi(chiave_)) + " names no record: the line is ignored" + forse, {},
         {}, std::move(correzioni));
}

// A file read to its end should end with "[fine]"; one that does not was probably cut
// short, and its last field was never acted on.
void caricatore::controlla_fine(stato_caricamento& s) {
  std::string_view testo = senza_spazi(s.lettore.testo());
  size_t taglio = testo.find_last_of(",\r\n");
  std::string ultimo(senza_spazi(taglio == std::string_view::npos ? testo : testo.substr(taglio + 1)));
  if (minuscolo(ultimo) == "[fine]") return;
  d_.avviso("missing-end", "the file does not end with [fine]: its last field is never read",
         {d_.record().file, 0, 0});
}
