// The system's way of watching on Windows: ReadDirectoryChangesW on the folder, kept
// asking (overlapped) from the construction on, so that nothing between two waits is
// lost; the names it reports are compared without regard to case, as Windows does.
#include <windows.h>

#include <algorithm>

#include "platform/osservatore_file.h"
#include "platform/testo_windows.h"

namespace {

class osservatore_windows : public osservatore_file::modo {
 public:
  osservatore_windows(HANDLE cartella, HANDLE evento, const std::vector<std::string>& nomi)
      : cartella_(cartella), evento_(evento) {
    for (const std::string& n : nomi) nomi_.push_back(in_utf16(n));
  }
  ~osservatore_windows() override {
    if (in_corso_) {
      CancelIoEx(cartella_, &sovrapposto_);
      DWORD ignorati = 0;
      GetOverlappedResult(cartella_, &sovrapposto_, &ignorati, TRUE);
    }
    CloseHandle(cartella_);
    CloseHandle(evento_);
  }
  osservatore_windows(const osservatore_windows&) = delete;
  osservatore_windows& operator=(const osservatore_windows&) = delete;

  // Asks for the next changes; false when the system refuses.
  bool chiedi() {
    ZeroMemory(&sovrapposto_, sizeof sovrapposto_);
    sovrapposto_.hEvent = evento_;
    ResetEvent(evento_);
    in_corso_ = ReadDirectoryChangesW(cartella_, buffer_, sizeof buffer_, FALSE,
                                      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                          FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_CREATION,
                                      nullptr, &sovrapposto_, nullptr) != 0;
    return in_corso_;
  }

  esito aspetta(std::chrono::milliseconds limite) override {
    auto fine = std::chrono::steady_clock::now() + limite;
    for (;;) {
      auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
      DWORD attesa = static_cast<DWORD>(std::max<long long>(0, resto.count()));
      if (WaitForSingleObject(evento_, attesa) != WAIT_OBJECT_0) return esito::niente;
      DWORD letti = 0;
      in_corso_ = false;  // completed: the event stays set until the next request
      if (!GetOverlappedResult(cartella_, &sovrapposto_, &letti, FALSE)) return esito::perso;
      // No bytes: more changes than the buffer holds, any may have changed.
      bool cambiato = letti == 0 || nomina(letti);
      if (!chiedi()) return esito::perso;
      if (cambiato) return esito::cambiato;
      if (std::chrono::steady_clock::now() >= fine) return esito::niente;
    }
  }

 private:
  bool nomina(DWORD letti) const {
    for (DWORD i = 0; i < letti;) {
      const auto* n = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + i);
      int lunghezza = static_cast<int>(n->FileNameLength / sizeof(WCHAR));
      for (const std::wstring& nome : nomi_) {
        if (CompareStringOrdinal(n->FileName, lunghezza, nome.c_str(), static_cast<int>(nome.size()), TRUE) ==
            CSTR_EQUAL) {
          return true;
        }
      }
      if (n->NextEntryOffset == 0) break;
      i += n->NextEntryOffset;
    }
    return false;
  }
  HANDLE cartella_;
  HANDLE evento_;
  OVERLAPPED sovrapposto_{};
  bool in_corso_ = false;  // a request is pending
  alignas(DWORD) BYTE buffer_[32768];
  std::vector<std::wstring> nomi_;
};

}  // namespace

std::unique_ptr<osservatore_file::modo> osservatore_di_sistema(const std::string& cartella,
                                                               const std::vector<std::string>& nomi) {
  HANDLE h = CreateFileW(in_utf16(cartella).c_str(), FILE_LIST_DIRECTORY,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE evento = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (evento == nullptr) {
    CloseHandle(h);
    return nullptr;
  }
  auto o = std::make_unique<osservatore_windows>(h, evento, nomi);
  if (!o->chiedi()) return nullptr;
  return o;
}
