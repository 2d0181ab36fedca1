// The store of the language server: the files open in the editor, kept as the editor
// sent them, and the pair each belongs to (the line description and the service
// description of one route and train, in one folder), each file of it from its open
// buffer, else from the disk where that may be read.
//
// Every open or change bumps one generation counter, so that a result computed from
// some texts can tell whether they are still the newest. The files changed since they
// were last checked wait in a set of their own until the diagnostics take them.
//
// A document is never changed once stored (a change stores another), and is held by a
// shared pointer: a copy of the open documents (`aperti()`) is taken in an instant, and
// can be read on another thread while the store goes on.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lsp/coppia.h"
#include "lsp/posizioni.h"

struct documento {
  testo_sorgente testo;
  int64_t versione = 0;
  uint64_t generazione = 0;
};

// One change of a document as the editor sends it: the range replaced (none: the whole
// text) and the text put there.
struct cambiamento {
  std::optional<intervallo_lsp> dove;
  std::string testo;
};

// One file of a pair: its name and uri, and its text when it is open or was read from
// the disk (none when it is neither), with the generation of its open buffer. A file
// that may not be checked says why, in the words of `check` ("larger than 16777216
// bytes", model/limiti.h): one on the disk that could not be read (it has no text),
// an open buffer over the limit (its text is kept, for the other requests).
struct file_coppia {
  std::string nome, uri;
  std::optional<testo_sorgente> testo;
  uint64_t generazione = 0;
  std::string rifiuto;
};
// The pair of a file: its route and train (`treno` "?" when no service file is at
// hand: `da_sola`, a line file checked alone), the line file, then the service file.
struct coppia_trovata {
  std::string linea, treno;
  bool da_sola = false;
  std::vector<file_coppia> files;
};

// The open documents, by uri.
using documenti_aperti = std::map<std::string, std::shared_ptr<const documento>>;

// The two files of the pair that `uri` belongs to, each from `documenti`, else (with
// `legge_disco`) from the disk. Reads nothing but them and the folder's names.
coppia_trovata coppia_di(const documenti_aperti& documenti, const std::string& uri, bool legge_disco);

class archivio_documenti {
 public:
  // `legge_disco` off: only open buffers pair up, and the disk is never read.
  explicit archivio_documenti(bool legge_disco) : legge_disco_(legge_disco) {}

  void apri(const std::string& uri, std::string utf8, int64_t versione);
  // A file never opened is left alone.
  void cambia(const std::string& uri, const std::vector<cambiamento>& cambiamenti, int64_t versione,
              codifica_posizioni codifica);
  // A file saved is checked again when it is open.
  void salvato(const std::string& uri);
  void chiudi(const std::string& uri);

  const documento* aperto(const std::string& uri) const;
  const documenti_aperti& aperti() const { return documenti_; }
  bool legge_disco() const { return legge_disco_; }
  // The two files of the pair that `uri` belongs to.
  coppia_trovata coppia_di(const std::string& uri) const { return ::coppia_di(documenti_, uri, legge_disco_); }

  uint64_t nuova_generazione() { return ++generazione_; }
  // The files waiting to be checked: one more, whether any waits, and all of them taken.
  void da_controllare(const std::string& uri) { da_controllare_.insert(uri); }
  bool in_attesa() const { return !da_controllare_.empty(); }
  std::set<std::string> prendi_da_controllare();

 private:
  bool legge_disco_;
  uint64_t generazione_ = 0;
  documenti_aperti documenti_;
  std::set<std::string> da_controllare_;
};
