// A source file as an editor holds it, and positions between the editor and the
// compiler.
//
// An editor sends the text as UTF-8 and counts a position's character by the
// encoding agreed at the start: UTF-16 code units (the protocol's default) or UTF-8
// bytes. The compiler reads Windows-1252 bytes and counts columns by bytes, from 1.
// Every Unicode character becomes exactly one byte (one the code page lacks becomes
// "?"), so the compiler's column N is the line's character N, whatever the editor
// counts in.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "model/testo_unicode.h"

enum class codifica_posizioni { utf16, utf8 };

// A position as the editor counts it: line and character from 0.
struct posizione_lsp {
  // A line or character beyond any document: what a larger number than a document can
  // reach, or a negative one, is read as.
  static constexpr int oltre = std::numeric_limits<int>::max();

  int riga = 0;
  int carattere = 0;

  bool operator==(const posizione_lsp&) const = default;
};

struct intervallo_lsp {
  posizione_lsp inizio, fine;

  bool operator==(const intervallo_lsp&) const = default;
};

// Whether `p` lies in `i`, both ends counted; whether two ranges share a position.
bool contiene(const intervallo_lsp& i, posizione_lsp p);
bool si_toccano(const intervallo_lsp& a, const intervallo_lsp& b);

// UTF-8 text in the Windows-1252 bytes the compiler reads.
std::string in_windows_1252(std::string_view utf8);

class testo_sorgente {
 public:
  testo_sorgente() = default;
  // From the editor's UTF-8 text (a byte that is not well-formed UTF-8 is taken as
  // Windows-1252), or from the file's bytes on disk.
  static testo_sorgente da_utf8(std::string utf8);
  static testo_sorgente da_windows_1252(std::string_view byte);

  const std::string& utf8() const { return utf8_; }
  const std::string& byte() const { return byte_; }
  int righe() const { return static_cast<int>(inizi_.size()); }
  // Line `riga` (from 0) in Windows-1252 bytes, without its line end; empty past the end.
  std::string_view riga_byte(int riga) const;

  // The compiler's line and column (from 1; column 0 the start of the line) as the
  // editor counts them; a column past the line's end counts one unit for each column.
  posizione_lsp verso_lsp(int riga, int colonna, codifica_posizioni c) const;
  // The editor's position as the compiler's line and column, from 1 (a position past
  // the text stays past it).
  std::pair<int, int> da_lsp(posizione_lsp p, codifica_posizioni c) const;
  // The editor's position within the text: a line beyond the text's last (or negative)
  // is the text's end, a character beyond its line's end (or negative) that end.
  posizione_lsp dentro(posizione_lsp p, codifica_posizioni c) const;
  // Where line `riga` (from 0) ends, as the editor counts.
  posizione_lsp fine_riga(int riga, codifica_posizioni c) const;
  // The editor's position as an offset into the UTF-8 text (clamped to the line and
  // the text), for an edit of a range.
  size_t offset_utf8(posizione_lsp p, codifica_posizioni c) const;

 private:
  std::string utf8_;
  std::string byte_;
  // Where each line starts in `byte_` (lines end as the field reader ends them: CR LF,
  // lone LF, lone CR), and where each line's UTF-8 text starts in `utf8_`.
  std::vector<size_t> inizi_;
  std::vector<size_t> inizi_utf8_;
  void indicizza();
};

// The lines of a text as the compiler reads them (Windows-1252).
std::vector<std::string_view> righe_di(const testo_sorgente& t);
