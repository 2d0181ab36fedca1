// The shell opens the address with the program registered for http.
#include <windows.h>
#include <shellapi.h>

#include "platform/browser.h"
#include "platform/testo_windows.h"

bool apri_nel_browser(const std::string& indirizzo) {
  auto esito = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", in_utf16(indirizzo).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return esito > 32;
}
