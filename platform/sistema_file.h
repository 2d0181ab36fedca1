// The operating system's file primitives under the file services: one implementation
// per system (sistema_file_posix.cpp, sistema_file_windows.cpp), the rest of the
// program never calls the system's file functions itself.
//
// Paths are UTF-8 text. Every failure is an `errore_file` naming the path that failed
// and the system's reason, except where a function says it returns false instead.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/errore_file.h"

namespace sistema {

#ifdef _WIN32
using manico = void*;  // a HANDLE
#else
using manico = int;  // a file descriptor
#endif

// Creates `percorso` for writing, only when no file, link or directory stands under
// that name (a link is never followed). False when something already does.
bool crea_esclusivo(const std::string& percorso, manico& file);

// Writes all `quanti` bytes at `posizione` from the start of the file.
void scrivi_a(manico file, const std::string& percorso, uint64_t posizione, const char* dati, size_t quanti);

// Flushes every byte written to `file` to the disk, so that it outlives a power loss.
void scarica(manico file, const std::string& percorso);

// Flushes the entries of `cartella` (names created, renamed, removed) to the disk. On
// Windows there is no such call for a folder: the renames there are made with
// MOVEFILE_WRITE_THROUGH instead, and this does nothing.
void scarica_cartella(const std::string& cartella);

// Closes a file written through `crea_esclusivo`; a failure of the last write that the
// system reports only now is a failure here. The handle is closed either way.
void chiudi(manico file, const std::string& percorso);
void chiudi_in_silenzio(manico file) noexcept;

// Renames `da` onto `a`, replacing what stands there. Where another program holds `a`
// open and the system refuses (Windows), the rename is retried for a short while; the
// failure then names `a` and says that another program holds it.
void sostituisci(const std::string& da, const std::string& a);

// Makes `nuovo` a second name of the existing file `esistente`. False when the file
// system cannot (no hard links there), and on Windows for a read-only file, whose second
// name could not be deleted again; any other failure throws.
bool collega(const std::string& esistente, const std::string& nuovo);

// Deletes a file; a missing file is a failure too.
void elimina(const std::string& percorso);
// Deletes a file or a link if one stands there, and never fails.
void elimina_se_esiste(const std::string& percorso) noexcept;

// What stands under `percorso`, after links.
enum class voce { nessuna, file, altro };
// Nothing (a missing name, or a missing folder on its way), a regular file, or something
// else; any other failure to look (no permission, an I/O error, a name too long) throws.
voce guarda(const std::string& percorso);

// True when `percorso` names an existing regular file (after links); as `guarda`, a
// failure to look throws.
bool esiste_file(const std::string& percorso);

// What stands under the name itself, a link not followed: nothing, a regular file, a
// symbolic link (on Windows a junction too), a directory, or something else (a FIFO, a
// socket, a device). As `guarda`, a failure to look throws.
enum class tipo_nome { nessuno, file, collegamento, cartella, speciale };
tipo_nome guarda_nome(const std::string& percorso);

// The whole content of a regular file of at most `massimo` bytes. What is not a regular
// file (a directory, a FIFO, a device) and a larger file are refused before any byte is
// read, and a FIFO is never waited on.
std::string leggi(const std::string& percorso, uint64_t massimo);

// The names of the entries of a directory (no "." or ".."), or none when it cannot be read.
std::vector<std::string> nomi_in_cartella(const std::string& cartella) noexcept;

// How long a run waits for another one that holds the lock of its directory, unless
// told otherwise (scenario_tool --wait).
inline constexpr std::chrono::seconds attesa_blocco{60};
// How long it waits before it says that it waits.
inline constexpr std::chrono::milliseconds attesa_prima_di_dirlo{1000};

// The failure of a lock not taken within its limit.
inline std::string motivo_blocco_scaduto(std::chrono::milliseconds limite) {
  auto secondi = std::chrono::duration_cast<std::chrono::seconds>(limite).count();
  return "another run is still writing this folder; gave up after " + std::to_string(secondi) + " s";
}

// An exclusive lock on a directory, held by this process until it is released. A second
// holder, in this or another process, waits for the first to release it: after about a
// second of waiting it calls `in_attesa` once, and after `limite` it gives up with an
// `errore_file` naming the directory. The lock goes with the process: a killed holder
// leaves nothing that stops the next one. A folder that no file can be written into is
// an `errore_cartella` naming the folder.
class blocco_cartella {
 public:
  explicit blocco_cartella(const std::string& cartella, const std::function<void()>& in_attesa = {},
                           std::chrono::milliseconds limite = attesa_blocco);
  ~blocco_cartella();
  blocco_cartella(const blocco_cartella&) = delete;
  blocco_cartella& operator=(const blocco_cartella&) = delete;

 private:
  manico manico_;
};

}  // namespace sistema
