// The start of a program on Windows. A program of the desktop subsystem has no
// standard streams unless its starter handed it some (a redirection, a pipe): those are
// kept, and only the missing ones are taken from the console of the parent process.
#include <windows.h>
// After windows.h, whose types it uses:
#include <shellapi.h>

#include <cstdio>

#include "platform/avvio.h"
#include "platform/testo_windows.h"

namespace {

bool valido(DWORD quale) {
  HANDLE h = GetStdHandle(quale);
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// Standard error as the program was handed it; true until collega_console is called.
bool errori_consegnati = true;

}  // namespace

bool errori_letti() { return errori_consegnati; }

void collega_console() {
  bool uscita = valido(STD_OUTPUT_HANDLE);
  bool errori = valido(STD_ERROR_HANDLE);
  errori_consegnati = errori;
  if (uscita && errori) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!uscita && std::freopen("CONOUT$", "w", stdout) != nullptr) std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (!errori && std::freopen("CONOUT$", "w", stderr) != nullptr) std::setvbuf(stderr, nullptr, _IONBF, 0);
}

std::vector<std::string> argomenti_programma(int, char**) {
  int quanti = 0;
  wchar_t** argomenti = CommandLineToArgvW(GetCommandLineW(), &quanti);
  std::vector<std::string> risultato;
  if (argomenti == nullptr) return risultato;
  for (int i = 1; i < quanti; ++i) risultato.push_back(in_utf8(argomenti[i]));
  LocalFree(argomenti);
  return risultato;
}
