// The field in keyword position, as the body of the line file and the service file
// read it: a hyphenated field (a remark or a separator) is dropped, at most twice in a
// row, and the end of the file is looked for after every field, so that the last field
// of a file is never acted on.
//
// Beside it, the warnings about what the author wrote in keyword position: a field
// that names no record and is no known section header, and a file that does not end
// with its end marker.
#include "loader/leggi_chiave.h"

#include <string_view>
#include <vector>

#include "loader/diagnosi.h"
#include "loader/parole_chiave.h"
#include "model/maiuscole.h"
#include "model/testo_unicode.h"

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

bool leggi_chiave(lettura& f, diagnosi& d) {
  f.lettore.fine_record();
  if (f.lettore.fine_file()) return false;
  f.chiave = f.lettore.leggi_testo();
  if (f.lettore.fine_file()) return false;
  for (int salti = 0; salti < 2 && contiene(f.chiave, "-"); ++salti) {
    f.chiave = f.lettore.leggi_testo();
    if (f.lettore.fine_file()) return false;
  }
  prendi_chiave(f, d);
  return true;
}

// The keyword field just read places the record; a tab in it, where a comma was
// surely meant, is warned of.
void prendi_chiave(const lettura& f, diagnosi& d) {
  d.al_record(d.nel_file(f.lettore.ultimo_campo().luogo));
  d.con_lettore(&f.lettore);
  const std::string& testo = f.lettore.ultimo_campo().testo;
  size_t tab = testo.find('\t');
  if (tab == std::string::npos) return;
  luogo_sorgente dove = d.record();
  dove.colonna += static_cast<int>(tab);
  size_t dopo = testo.find_first_not_of(" \t", tab);
  dove.colonna_fine = d.record().colonna + static_cast<int>(dopo);
  d.avviso("tab-separator",
           "a tab stands where a comma is due: " + tra_virgolette(testo) + " is read as one field",
           dove, {{d.record(), "the keyword is read as " + tra_virgolette(testo)}},
           {{dove, ", "}});
}

// A record whose values ran onto a later line: the reading has taken the first fields
// of that line as this record's values.
void dopo_valori(const lettore_campi& l, diagnosi& d, esito_record esito) {
  const auto& fuori = l.campo_fuori_riga();
  if (esito != esito_record::avanti || !fuori) return;
  std::string nome = l.forma_attuale()->nome;
  size_t dovuti = l.forma_attuale()->campi.size() + 1;
  d.avviso("too-few-fields",
           nome + " has " + std::to_string(fuori->indice - 1) + " fields on its line, " + std::to_string(dovuti) +
               " are due",
           d.nel_file(l.fine_riga_record()),
           {{d.nel_file(fuori->luogo), "its " + ordinale(fuori->indice) + " field is read from line " +
                                         std::to_string(fuori->luogo.riga) + " as " + tra_virgolette(fuori->testo) +
                                         ", and the fields after it out of step"}});
}

// A field left over after a record's last one is read as a keyword, and the record's
// last field holds what the author meant for an earlier one.
void avvisa_campo_in_piu(lettura& f, diagnosi& d, const forma_record& forma) {
  std::optional<campo_letto> resto = f.lettore.campo_in_piu();
  if (!resto) return;
  const campo_letto& ultimo = f.lettore.ultimo_campo();
  size_t n = forma.campi.size();
  std::string nome_ultimo = n > 0 ? std::string(", ") + forma.campi[n - 1] + "," : "";
  f.riga_avvisata = resto->luogo.riga;
  d.avviso("too-many-fields",
           std::string(forma.nome) + " has " + std::to_string(n + 1) + " fields: " + tra_virgolette(resto->testo) +
               " is one too many, and is read as a keyword",
           d.nel_file(resto->luogo),
           {{d.nel_file(ultimo.luogo), "the " + ordinale(ultimo.indice) + " and last field" + nome_ultimo +
                                           " is read as " + tra_virgolette(ultimo.testo)}});
}

// The field in `f.chiave` names a record when `riconosciuta`; otherwise it is worth a
// warning unless it is blank, a known section header, or on a line already warned of
// or begun by a keyword (the values of a record not acted on are read in keyword
// position too).
void controlla_chiave(lettura& f, diagnosi& d, const forma_record* riconosciuta, const char* const* sezioni,
                      std::span<const char* const> parole) {
  const std::string& chiave = f.chiave;
  if (f.riga_avvisata == d.record().riga) return;
  if (riconosciuta != nullptr) {
    f.riga_avvisata = d.record().riga;  // a curve without a plan leaves its values unread
    if (chiude_parte_generale(chiave)) {
      d.avviso("keyword-in-section",
               "the section header " + tra_virgolette(senza_spazi(chiave)) + " holds a keyword: it is read as a " +
                   riconosciuta->nome + " record, and the fields after it as its values");
    }
    return;
  }
  if (senza_spazi(chiave).empty() || sezione_nota(chiave, sezioni)) return;
  f.riga_avvisata = d.record().riga;
  bool sezione = chiude_parte_generale(chiave);
  const std::string nome = sezione ? "unknown-section" : "unknown-keyword";
  if (!d.tiene_avviso(nome)) {
    d.avviso(nome, {});  // counted, with no suggestion looked for
    return;
  }
  std::vector<const char*> nomi;
  if (sezione) {
    for (const char* const* p = sezioni; *p != nullptr; ++p) nomi.push_back(*p);
  }
  std::string vicina = parola_vicina(chiave, sezione ? std::span<const char* const>(nomi) : parole);
  std::string forse = vicina.empty() ? "" : "; did you mean '" + vicina + "'?";
  std::vector<correzione> correzioni;
  if (!vicina.empty()) correzioni.push_back({d.record(), vicina});
  std::string messaggio = sezione ? "unknown section header " + tra_virgolette(senza_spazi(chiave))
                                  : tra_virgolette(senza_spazi(chiave)) + " names no record: the line is ignored";
  d.avviso(nome, messaggio + forse, {}, {}, std::move(correzioni));
}

// A file read to its end should end with "[fine]"; one that does not was probably cut
// short, and its last field was never acted on.
void controlla_fine(const lettore_campi& l, diagnosi& d) {
  std::string_view testo = senza_spazi(l.testo());
  size_t taglio = testo.find_last_of(",\r\n");
  std::string ultimo(senza_spazi(taglio == std::string_view::npos ? testo : testo.substr(taglio + 1)));
  if (minuscolo(ultimo) == "[fine]") return;
  d.avviso("missing-end", "the file does not end with [fine]: its last field is never read",
           {d.record().file, 0, 0});
}
