// Finds the executable's own directory through GetModuleFileNameW, whatever the
// current directory and however the program was started; the buffer grows until the
// whole path fits, so a path longer than MAX_PATH is found too.
#include <windows.h>

#include <string>

#include "platform/cartella_programma.h"
#include "platform/testo_windows.h"

std::string cartella_eseguibile(const char*) {
  std::wstring eseguibile(MAX_PATH, L'\0');
  for (;;) {
    DWORD quanti = GetModuleFileNameW(nullptr, eseguibile.data(), static_cast<DWORD>(eseguibile.size()));
    if (quanti == 0) return ".";
    if (quanti < eseguibile.size()) {
      eseguibile.resize(quanti);
      break;
    }
    eseguibile.resize(eseguibile.size() * 2);
  }
  size_t fine = eseguibile.find_last_of(L"\\/");
  if (fine == std::wstring::npos) return ".";
  return in_utf8(eseguibile.substr(0, fine));
}
