// The field reader shared by both source files.
//
// It reads a file as one stream of comma-separated fields, not as lines. A field ends
// at a comma or a line end (CR LF, lone LF or lone CR), which is consumed with it; a
// numeric field also ends at a blank, so numbers may stand apart on one line. Blanks
// are space and tab. Every failure (no character left, a malformed number, a value
// outside its variable's width) is a `guasto_caricamento` placed at the offending
// characters, and it names the field by the record being read, when one is.
//
// Alongside, it keeps where each field starts and ends, so that the loader can place
// what it finds on the field, and what was odd about a record's fields: one read from
// a later line than the record's keyword (a field too few on the record's line), or
// a field left on the line after the record's last one (a field too many).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/diagnostiche_limitate.h"
#include "model/luogo_sorgente.h"

// A record's keyword as written and the meaning of each field after it, in order.
struct forma_record {
  const char* nome;
  std::span<const char* const> campi;
};

// A field as it stands in the file: its place (the file's name left empty) and its
// text without the blanks around it; `indice` counts the record's fields from 1, the
// keyword.
struct campo_letto {
  luogo_sorgente luogo;
  std::string testo;
  int indice = 0;
};

// The numeric fields read as empty or blank, by line and column, in the order read:
// those of `campi`, but that after the first `vuoti_tenuti` of them stand `saltati`
// more, the last of them at `ultimo_saltato`. A kind of diagnostic keeps no more than
// the first ones, and counts the rest up to the last: a source full of empty fields
// costs no more memory than that.
inline constexpr size_t vuoti_tenuti = diagnostiche_per_tipo;
struct vuoti_letti {
  std::vector<std::pair<int, int>> campi;
  size_t saltati = 0;
  std::pair<int, int> ultimo_saltato{};
};

class lettore_campi {
 public:
  explicit lettore_campi(std::string contenuto) : testo_(std::move(contenuto)) {}

  // True exactly when no character is left.
  bool fine_file() const { return pos_ >= testo_.size(); }

  // A text field: leading blanks skipped, trailing blanks kept.
  std::string leggi_testo();

  // Numeric fields into an unsigned byte, a signed 16-bit and a signed 32-bit variable.
  uint8_t leggi_byte();
  int16_t leggi_intero();
  int32_t leggi_lungo();

  // The line on which the last field read began, counting from 1, and its column
  // (its first character after the blanks, counting from 1).
  int riga_campo() const { return ultimo_.luogo.riga; }
  int colonna_campo() const { return ultimo_.luogo.colonna; }
  // The last field read, with its range.
  const campo_letto& ultimo_campo() const { return ultimo_; }

  // The record begun by the keyword field just read: the fields read next are its
  // fields 2, 3 and so on, named by `forma` when one cannot be read.
  void inizia_record(const forma_record& forma);
  // No record is being read: the next field is in keyword position.
  void fine_record() { forma_ = nullptr; }
  const forma_record* forma_attuale() const { return forma_; }
  // The first field of the record begun last that was read from a later line than its
  // keyword, and the place just after the last field on the keyword's line.
  const std::optional<campo_letto>& campo_fuori_riga() const { return fuori_riga_; }
  // The keyword of the record begun last, and its value fields as read so far (its
  // field 2 first).
  const luogo_sorgente& luogo_chiave() const { return luogo_chiave_; }
  const std::vector<campo_letto>& campi_record() const { return campi_record_; }
  const luogo_sorgente& fine_riga_record() const { return fine_riga_record_; }
  // The field that stands on the current line after the fields read, unless a
  // remark (a field with a hyphen that is no number) or nothing stands there.
  std::optional<campo_letto> campo_in_piu() const;

  // The whole text being read.
  const std::string& testo() const { return testo_; }

  // Skips what is left of the current line; nothing at the start of a line.
  void salta_riga();

  // The numeric fields read so far that were empty or blank (and so read as 0), taken
  // away from the reader.
  vuoti_letti prendi_campi_vuoti() { return std::exchange(vuoti_, {}); }
  // For fields where empty means "none": the empty fields counted from `quanti` on, all
  // of the record being read, are forgotten.
  size_t n_campi_vuoti() const { return vuoti_.saltati + vuoti_.campi.size(); }
  void dimentica_campi_vuoti(size_t quanti) { vuoti_.campi.resize(quanti - vuoti_.saltati); }

 private:
  int64_t leggi_numero(int64_t minimo, int64_t massimo);
  void inizia_campo();
  void chiudi_campo(size_t fine);
  void salta_spazi();
  bool a_fine_riga() const;
  void consuma_fine_riga();
  size_t fine_pezzo(size_t da) const;
  std::string nome_campo() const;
  [[noreturn]] void guasto(const std::string& cosa, const std::string& trovato, size_t fine) const;

  std::string testo_;
  size_t pos_ = 0;
  int riga_ = 1;
  size_t inizio_riga_ = 0;
  size_t inizio_campo_ = 0;
  campo_letto ultimo_;
  vuoti_letti vuoti_;
  // The record being read.
  const forma_record* forma_ = nullptr;
  int indice_ = 0;
  int riga_record_ = 0;
  luogo_sorgente fine_riga_record_;
  std::optional<campo_letto> fuori_riga_;
  luogo_sorgente luogo_chiave_;
  std::vector<campo_letto> campi_record_;
};

// "1st", "2nd", "3rd", "4th", ..., "11th", "21st".
std::string ordinale(int n);
