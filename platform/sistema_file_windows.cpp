// The file primitives on Win32. Paths are UTF-8 in the program and UTF-16 at every call,
// so a directory named in any script works whatever the ANSI code page. Reasons are the
// system's own messages, on one line.
//
// Replacement is MoveFileExW with MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH.
// Windows refuses to replace a file that another program holds open (the simulator,
// running, or a virus scanner looking at it): the rename is tried again every 50 ms for
// two seconds, and then reported as held by another program.
//
// The directory lock is a hidden file in the directory, `.genera_scenario.lock`, opened
// with no sharing at all and FILE_FLAG_DELETE_ON_CLOSE: while one process holds it open,
// no other can open it, and the system deletes it when the handle is closed, also when
// the holder is killed. A second process tries again every 20 ms until it opens.
#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/sistema_file.h"
#include "platform/testo_windows.h"

namespace sistema {

namespace {

constexpr const char* nome_blocco = ".genera_scenario.lock";
constexpr const char* trattenuto_da_altri = "another program holds the file open";
constexpr auto attesa_sostituzione = std::chrono::seconds(2);
constexpr auto passo_sostituzione = std::chrono::milliseconds(50);
constexpr auto passo_blocco = std::chrono::milliseconds(20);
constexpr DWORD massimo_blocco = 1u << 30;  // at most 1 GiB to one ReadFile or WriteFile

[[noreturn]] void fallisci(const std::string& percorso, DWORD codice) {
  throw errore_file(percorso, motivo_sistema(codice));
}

[[noreturn]] void fallisci_ora(const std::string& percorso) { fallisci(percorso, GetLastError()); }

// Opens `percorso` to look at what it is, after links; INVALID_HANDLE_VALUE when it cannot.
HANDLE apri_per_guardare(const std::wstring& percorso, DWORD accesso) {
  return CreateFileW(percorso.c_str(), accesso, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A file on a disk, not a directory, a console, a pipe or another device.
bool regolare(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) != 0 &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// True when the last part of `percorso` is a name that Windows gives a device in every
// folder (NUL, CON, PRN, AUX, COM1 to COM9, LPT1 to LPT9, with any extension): such a
// path opens the device, never a file, though some systems (Wine) call it a disk file.
bool dispositivo(const std::string& percorso) {
  size_t inizio = percorso.find_last_of("\\/:");
  std::string nome = percorso.substr(inizio == std::string::npos ? 0 : inizio + 1);
  nome = nome.substr(0, nome.find('.'));
  while (!nome.empty() && nome.back() == ' ') nome.pop_back();
  for (char& c : nome) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (nome == "NUL" || nome == "CON" || nome == "PRN" || nome == "AUX") return true;
  return nome.size() == 4 && (nome.starts_with("COM") || nome.starts_with("LPT")) && nome[3] >= '1' &&
         nome[3] <= '9';
}

bool trattenuto(DWORD codice) {
  return codice == ERROR_SHARING_VIOLATION || codice == ERROR_LOCK_VIOLATION || codice == ERROR_ACCESS_DENIED;
}

bool e_cartella(const std::wstring& percorso) {
  DWORD attributi = GetFileAttributesW(percorso.c_str());
  return attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A reparse point that is a link, a symbolic link or a junction; not one of the other
// kinds (a file deduplicated, or kept in a cloud store), which stand for a file or a
// folder of their own.
bool reparse_collegamento(const std::wstring& percorso) {
  WIN32_FIND_DATAW trovato;
  HANDLE h = FindFirstFileW(percorso.c_str(), &trovato);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return trovato.dwReserved0 == IO_REPARSE_TAG_SYMLINK || trovato.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT;
}

}  // namespace

bool crea_esclusivo(const std::string& percorso, manico& file) {
  std::wstring nome = in_utf16(percorso);
  HANDLE h = CreateFileW(nome.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    file = h;
    return true;
  }
  DWORD codice = GetLastError();
  if (codice == ERROR_FILE_EXISTS || codice == ERROR_ALREADY_EXISTS) return false;
  // A directory under the name is refused as access denied.
  if (codice == ERROR_ACCESS_DENIED && GetFileAttributesW(nome.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  fallisci(percorso, codice);
}

void scrivi_a(manico file, const std::string& percorso, uint64_t posizione, const char* dati, size_t quanti) {
  while (quanti > 0) {
    OVERLAPPED dove{};
    dove.Offset = static_cast<DWORD>(posizione & 0xFFFFFFFFu);
    dove.OffsetHigh = static_cast<DWORD>(posizione >> 32);
    DWORD parte = quanti < massimo_blocco ? static_cast<DWORD>(quanti) : massimo_blocco;
    DWORD scritti = 0;
    if (!WriteFile(file, dati, parte, &scritti, &dove)) fallisci_ora(percorso);
    if (scritti == 0) fallisci(percorso, ERROR_DISK_FULL);
    dati += scritti;
    quanti -= scritti;
    posizione += scritti;
  }
}

void scarica(manico file, const std::string& percorso) {
  if (!FlushFileBuffers(file)) fallisci_ora(percorso);
}

// Win32 has no flush of a folder's entries (FlushFileBuffers takes no directory handle
// opened for reading); the renames are made with MOVEFILE_WRITE_THROUGH instead, which
// returns only once the rename is on the disk.
void scarica_cartella(const std::string&) {}

void chiudi(manico file, const std::string& percorso) {
  if (!CloseHandle(file)) fallisci_ora(percorso);
}

void chiudi_in_silenzio(manico file) noexcept { CloseHandle(file); }

void sostituisci(const std::string& da, const std::string& a) {
  std::wstring sorgente = in_utf16(da), destinazione = in_utf16(a);
  const DWORD modi = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  auto limite = std::chrono::steady_clock::now() + attesa_sostituzione;
  for (;;) {
    if (MoveFileExW(sorgente.c_str(), destinazione.c_str(), modi)) return;
    DWORD codice = GetLastError();
    if (!trattenuto(codice) || e_cartella(destinazione)) fallisci(a, codice);
    if (std::chrono::steady_clock::now() >= limite) {
      DWORD attributi = GetFileAttributesW(destinazione.c_str());
      bool sola_lettura = attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_READONLY) != 0;
      if (sola_lettura) fallisci(a, codice);
      throw errore_file(a, trattenuto_da_altri);
    }
    std::this_thread::sleep_for(passo_sostituzione);
  }
}

// A second name made for a file that another program holds open could not be removed
// again while it does: the link is made only once the file could be deleted, that is
// once nobody holds it without sharing its deletion; until then as in `sostituisci`.
// Nor could a read-only file's second name be removed: none is made for one, as where the
// file system has no hard links.
bool collega(const std::string& esistente, const std::string& nuovo) {
  std::wstring nome = in_utf16(esistente);
  DWORD attributi = GetFileAttributesW(nome.c_str());
  if (attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_READONLY) != 0) return false;
  auto limite = std::chrono::steady_clock::now() + attesa_sostituzione;
  for (;;) {
    HANDLE h = CreateFileW(nome.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      break;
    }
    if (GetLastError() != ERROR_SHARING_VIOLATION) break;
    if (std::chrono::steady_clock::now() >= limite) throw errore_file(esistente, trattenuto_da_altri);
    std::this_thread::sleep_for(passo_sostituzione);
  }
  if (CreateHardLinkW(in_utf16(nuovo).c_str(), in_utf16(esistente).c_str(), nullptr)) return true;
  DWORD codice = GetLastError();
  if (codice == ERROR_NOT_SUPPORTED || codice == ERROR_INVALID_FUNCTION) return false;
  fallisci(nuovo, codice);
}

void elimina(const std::string& percorso) {
  if (!DeleteFileW(in_utf16(percorso).c_str())) fallisci_ora(percorso);
}

void elimina_se_esiste(const std::string& percorso) noexcept {
  std::wstring nome = in_utf16(percorso);
  if (DeleteFileW(nome.c_str())) return;
  // A link to a directory is removed as a directory; the directory it names stays.
  DWORD attributi = GetFileAttributesW(nome.c_str());
  if (attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
      (attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    RemoveDirectoryW(nome.c_str());
  }
}

voce guarda(const std::string& percorso) {
  if (dispositivo(percorso)) return voce::altro;
  HANDLE h = apri_per_guardare(in_utf16(percorso), FILE_READ_ATTRIBUTES);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD codice = GetLastError();
    if (codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND || codice == ERROR_INVALID_NAME) {
      return voce::nessuna;
    }
    // A name that exists but cannot be opened even to look at it (a file being deleted,
    // a system file) is something, but not a file to read.
    if (codice == ERROR_ACCESS_DENIED || codice == ERROR_SHARING_VIOLATION) return voce::altro;
    fallisci(percorso, codice);
  }
  bool risultato = regolare(h);
  CloseHandle(h);
  return risultato ? voce::file : voce::altro;
}

bool esiste_file(const std::string& percorso) { return guarda(percorso) == voce::file; }

// GetFileAttributesW looks at a link itself, not at what it names. A path in the
// devices' namespace (\\.\PIPE\..., \\.\COM1) and a device's name are no file.
tipo_nome guarda_nome(const std::string& percorso) {
  if (dispositivo(percorso) || percorso.starts_with("\\\\.\\") || percorso.starts_with("//./")) {
    return tipo_nome::speciale;
  }
  std::wstring nome = in_utf16(percorso);
  DWORD attributi = GetFileAttributesW(nome.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) {
    DWORD codice = GetLastError();
    if (codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND || codice == ERROR_INVALID_NAME) {
      return tipo_nome::nessuno;
    }
    // A name that cannot even be looked at (a file being deleted, a system file) is
    // taken as a file: what is then done to it tells the failure.
    if (codice == ERROR_ACCESS_DENIED || codice == ERROR_SHARING_VIOLATION) return tipo_nome::file;
    fallisci(percorso, codice);
  }
  if ((attributi & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && reparse_collegamento(nome)) return tipo_nome::collegamento;
  if ((attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) return tipo_nome::cartella;
  return tipo_nome::file;
}

std::string leggi(const std::string& percorso, uint64_t massimo) {
  if (dispositivo(percorso)) throw errore_file(percorso, "not a regular file");
  HANDLE h = apri_per_guardare(in_utf16(percorso), GENERIC_READ);
  if (h == INVALID_HANDLE_VALUE) fallisci_ora(percorso);
  struct chiusura {
    HANDLE h;
    ~chiusura() { CloseHandle(h); }
  } chiudi_poi{h};
  if (!regolare(h)) throw errore_file(percorso, "not a regular file");
  LARGE_INTEGER dimensione{};
  if (!GetFileSizeEx(h, &dimensione)) fallisci_ora(percorso);
  uint64_t quanti = static_cast<uint64_t>(dimensione.QuadPart);
  if (quanti > massimo) throw errore_file(percorso, "larger than " + std::to_string(massimo) + " bytes");
  std::string contenuto(static_cast<size_t>(quanti), '\0');
  size_t letti_tutti = 0;
  while (letti_tutti < contenuto.size()) {
    size_t resto = contenuto.size() - letti_tutti;
    DWORD parte = resto < massimo_blocco ? static_cast<DWORD>(resto) : massimo_blocco;
    DWORD letti = 0;
    if (!ReadFile(h, contenuto.data() + letti_tutti, parte, &letti, nullptr)) fallisci_ora(percorso);
    if (letti == 0) break;  // the file shrank while it was read
    letti_tutti += letti;
  }
  contenuto.resize(letti_tutti);
  return contenuto;
}

std::vector<std::string> nomi_in_cartella(const std::string& cartella) noexcept {
  std::vector<std::string> nomi;
  try {
    WIN32_FIND_DATAW trovato;
    HANDLE h = FindFirstFileW(in_utf16(cartella + "\\*").c_str(), &trovato);
    if (h == INVALID_HANDLE_VALUE) return nomi;
    do {
      std::wstring nome = trovato.cFileName;
      if (nome != L"." && nome != L"..") nomi.push_back(in_utf8(nome));
    } while (FindNextFileW(h, &trovato));
    FindClose(h);
  } catch (...) {
    nomi.clear();
  }
  return nomi;
}

blocco_cartella::blocco_cartella(const std::string& cartella, const std::function<void()>& in_attesa,
                                 std::chrono::milliseconds limite) {
  std::string percorso = cartella + "\\" + nome_blocco;
  std::wstring nome = in_utf16(percorso);
  const auto inizio = std::chrono::steady_clock::now();
  auto limite_negato = inizio + attesa_sostituzione;
  bool detto = false;
  for (;;) {
    HANDLE h = CreateFileW(nome.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      manico_ = h;
      return;
    }
    DWORD codice = GetLastError();
    // Refused where no lock stands (not even one being deleted): the folder cannot be
    // written into.
    if ((codice == ERROR_ACCESS_DENIED || codice == ERROR_WRITE_PROTECT) &&
        GetFileAttributesW(nome.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
      throw errore_cartella(cartella, motivo_sistema(codice));
    }
    // Held by another run: wait for it. Just closed by one, the file is still being
    // deleted and refuses with access denied for a moment: wait a little for that too.
    bool in_attesa_ora = codice == ERROR_SHARING_VIOLATION ||
                     (codice == ERROR_ACCESS_DENIED && std::chrono::steady_clock::now() < limite_negato);
    if (!in_attesa_ora) fallisci(percorso, codice);
    auto atteso = std::chrono::steady_clock::now() - inizio;
    if (atteso >= limite) throw errore_file(cartella, motivo_blocco_scaduto(limite));
    if (!detto && atteso >= attesa_prima_di_dirlo) {
      detto = true;
      if (in_attesa) in_attesa();
    }
    std::this_thread::sleep_for(passo_blocco);
  }
}

blocco_cartella::~blocco_cartella() { CloseHandle(manico_); }

}  // namespace sistema
