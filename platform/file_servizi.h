// File services of the program: existence test, whole-file read, deletion, the writing
// of a file anew, the replacement of several files as one set, and the lock that keeps
// two runs out of one directory.
//
// A file is never written in place. `file_nuovo` creates a temporary file of a name of
// its own in the same directory (NAME.<16 hex digits>.tmp~), exclusively, so that no
// link or earlier file under that name is ever followed, and renames it onto NAME only
// when every byte is written. A failure removes the temporary file, so a failed write
// leaves the earlier file as it was; leftovers of a run killed while writing are
// removed by the next run into the same directory. Every byte is flushed to the disk
// before the rename, and the directory after it. Every failure is an `errore_file` that
// names the final file and the system's reason (the temporary name, where it was the
// one that failed, only as a detail of the reason).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errore_file.h"
#include "platform/giornale.h"
#include "platform/sistema_file.h"

// True when `percorso` names an existing regular file.
bool esiste_file(const std::string& percorso);

// The whole content of a file.
std::string leggi_file(const std::string& percorso);

// The whole content of a regular file of at most `massimo` bytes; anything else (a
// directory, a FIFO, a device, a larger file) is refused before it is read.
std::string leggi_file_limitato(const std::string& percorso, uint64_t massimo);

// Deletes a file; a missing file is a failure too.
void elimina_file(const std::string& percorso);

// Deletes a file if it exists and never fails: for cleaning up after another failure.
void elimina_se_esiste(const std::string& percorso) noexcept;

// One run at a time in a directory: held from a run's first write there to its last
// rename. A second run waits until the first has finished.
using blocco_cartella = sistema::blocco_cartella;

// Puts `cartella` back in order after a killed run, while holding the directory's lock:
// first a replacement of a set that a run left half done (its journal there) is
// completed, when every new file was already in place, or undone, so the directory
// holds one whole set; then the temporary files that a killed run left for the files
// named `nomi` are removed (only names of the temporary files' own pattern). When the
// journal cannot be resolved, this throws and removes nothing: the line says where the
// earlier files are. A journal that names anything but the files `nomi` and their
// temporary and backup names, or is not this program's, is refused naming it, and
// nothing at all is renamed or removed (platform/giornale.h).
void rimuovi_avanzi(const std::string& cartella, const std::vector<std::string>& nomi);

// A file being written anew under `percorso`.
class file_nuovo {
 public:
  explicit file_nuovo(std::string percorso);
  ~file_nuovo();
  file_nuovo(const file_nuovo&) = delete;
  file_nuovo& operator=(const file_nuovo&) = delete;

  void scrivi(const char* dati, size_t quanti);
  // Writes at `posizione` bytes from the start of the file.
  void scrivi_a(uint64_t posizione, const char* dati, size_t quanti);
  // Closes the temporary file: every byte is written. It is not yet renamed.
  void chiudi();
  // Closes the temporary file and renames it onto the final name.
  void completa();

  const std::string& percorso() const { return percorso_; }
  // The name of the closed temporary file, which is from now on the caller's: it is no
  // longer removed when this object goes.
  std::string cedi_temporaneo();

 private:
  friend void sostituisci_insieme(const std::vector<file_nuovo*>& file);
  // Runs `passo` on the temporary file; a failure is told as one of the final file.
  template <typename Passo>
  void sul_temporaneo(Passo passo);
  void rinomina();

  std::string percorso_;
  std::string temporaneo_;
  sistema::manico manico_{};
  bool aperto_ = false;
  uint64_t posizione_ = 0;  // where the next `scrivi` goes
};

// Renames every closed file of `file` (all in one directory) onto its final name, in
// order, as one set. Before the first rename the earlier files get a second name each
// (a backup), and a journal in the directory names the set (final, temporary and backup
// names) and is flushed to the disk; it is removed after the last rename. When one
// rename fails, the files already replaced get their earlier content back (or are
// removed where there was none), so the directory holds the earlier set whole; a run
// killed at any instant leaves the journal, and the next run's `rimuovi_avanzi`
// finishes the job. Where even that undoing fails, the backups and the journal stay and
// the failure's line names them. A backup that cannot be removed at the end is a
// warning on standard error. A FIFO, a socket or a device under a final name is refused
// as not a regular file before anything is renamed.
void sostituisci_insieme(const std::vector<file_nuovo*>& file);

// Writes `contenuto` as the whole new content of `percorso`: through a temporary file
// renamed onto it, so that no reader sees it half written. The name is never opened, so
// nothing under it can keep the write waiting; a FIFO, a socket or a device there is
// refused as not a regular file, never replaced.
void scrivi_file(const std::string& percorso, std::string_view contenuto);

// As `scrivi_file`, for an output the user named: a `percorso` that is there and is
// neither a file, a folder nor a link (/dev/null, a pipe, a terminal) is written straight
// into, never replaced; a FIFO waits for its reader, as a shell's redirection would.
void scrivi_uscita(const std::string& percorso, std::string_view contenuto);
