// UTF-8 and UTF-16 through the system's own converters, and the system's messages.
#include "platform/testo_windows.h"

#include <windows.h>

std::wstring in_utf16(const std::string& utf8) {
  if (utf8.empty()) return {};
  int quanti = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring testo(static_cast<size_t>(quanti), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), testo.data(), quanti);
  return testo;
}

std::string in_utf8(const std::wstring& utf16) {
  if (utf16.empty()) return {};
  int quanti =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
  std::string testo(static_cast<size_t>(quanti), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), testo.data(), quanti, nullptr, nullptr);
  return testo;
}

std::string motivo_sistema(unsigned long codice) {
  wchar_t* testo = nullptr;
  const DWORD modi = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD quanti = FormatMessageW(modi, nullptr, codice, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
  if (quanti == 0) quanti = FormatMessageW(modi, nullptr, codice, 0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
  std::wstring motivo = quanti > 0 ? std::wstring(testo, quanti) : std::wstring();
  if (testo != nullptr) LocalFree(testo);
  while (!motivo.empty() &&
         (motivo.back() == L'\r' || motivo.back() == L'\n' || motivo.back() == L' ' || motivo.back() == L'.')) {
    motivo.pop_back();
  }
  for (wchar_t& c : motivo) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  if (motivo.empty()) return "system error " + std::to_string(codice);
  return in_utf8(motivo);
}
