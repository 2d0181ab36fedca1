// Watching a few files of one folder for changes: written, replaced by a rename (as
// editors save), deleted or created. The system tells (inotify on Linux,
// ReadDirectoryChangesW on Windows) where it can; elsewhere, or where that fails (no
// inotify instance left, a folder on a network share), the files are looked at every
// 50 ms instead.
//
// The folder is watched, not the files: a file replaced by a rename, or deleted and
// written again, is still seen. Changes to other names in the folder are ignored.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class osservatore_file {
 public:
  // Watches the files `nomi` of `cartella` from now on. `sondaggio` looks at them every
  // 50 ms whatever the system offers (the tests use it).
  osservatore_file(const std::string& cartella, std::vector<std::string> nomi, bool sondaggio = false);
  ~osservatore_file();
  osservatore_file(const osservatore_file&) = delete;
  osservatore_file& operator=(const osservatore_file&) = delete;

  // Waits until one of the files changed since the last call (or the construction), or
  // until `limite` passed: true for a change, false when the time ran out.
  bool aspetta(std::chrono::milliseconds limite);

  // True when the files are looked at in turn rather than told of by the system.
  bool sonda() const;

  // One way of watching.
  class modo {
   public:
    enum class esito { cambiato, niente, perso };  // perso: this way cannot watch any longer
    virtual ~modo() = default;
    virtual esito aspetta(std::chrono::milliseconds limite) = 0;
  };

 private:
  std::string cartella_;
  std::vector<std::string> nomi_;
  std::unique_ptr<modo> modo_;
  bool sonda_ = false;
};

// The system's way of watching the folder (osservatore_file_posix.cpp,
// osservatore_file_windows.cpp); null where the system offers none or it fails.
std::unique_ptr<osservatore_file::modo> osservatore_di_sistema(const std::string& cartella,
                                                               const std::vector<std::string>& nomi);
