// giornale: the journal of a set of files being replaced together, `.genera_scenario.journal`
// in the set's directory. It is written whole before the set's first rename and removed
// after its last; a run that finds one left by a killed run completes that replacement
// or undoes it.
//
// Only a journal that this program could have written is acted on: every file it names
// is one of the set's own, every temporary and backup name is one this program makes for
// that file, and none of them stands as a link, a folder or a device. Any other journal
// is refused, naming it, before anything is renamed or removed, so a journal planted in
// the folder cannot make a run delete or replace a file that is not the set's.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* nome_giornale = ".genera_scenario.journal";

namespace giornale {

// One member of a set being replaced: names within its directory.
struct voce {
  std::string finale;
  std::string temporaneo;  // the new content, until renamed onto `finale`
  std::string riserva;     // the earlier content's second name, empty where there was none
};

// The journal's text: a head line, the three names of every member each ended by a NUL
// byte (no file name holds one), and an end line.
std::string testo(const std::vector<voce>& voci);

// Puts the earlier set back: every backup renamed onto its file, every new file with no
// earlier one removed, then the new files not yet renamed. Can be done again after an
// interruption: what is already done is not done twice.
void annulla(const std::string& cartella, const std::vector<voce>& voci);

// Removes the backups once the new set is in place; one that cannot be removed is a
// warning on standard error.
void rimuovi_riserve(const std::string& cartella, const std::vector<voce>& voci);

// Removes the journal of `cartella`; a failure is a warning on standard error.
void rimuovi(const std::string& cartella);

// The backups still there, for a line that says where the earlier files are; empty when
// there are none.
std::string dove_sono(const std::string& cartella, const std::vector<voce>& voci);

// Completes or undoes the replacement that the journal of `cartella` names, if there is
// one: completed when every new file is in place (no temporary file is left), undone
// otherwise, and the journal removed. `nomi` are the files of the set a run writes there;
// a journal that names anything else, or that is not this program's, is an `errore_file`
// naming it, and nothing is touched.
void riprendi(const std::string& cartella, const std::vector<std::string>& nomi);

}  // namespace giornale
