// Test support: runs a program as a child process, from a given current directory,
// with its standard output and standard error caught in files of a directory of their
// own, and waits for its exit status. On POSIX through fork and exec, on Windows
// through CreateProcessW; the changes to the environment apply to the child alone.
// (Under Wine a program's first window may start the desktop process, which inherits
// the streams and keeps them open: their files are left to the directory's removal.)
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/file_servizi.h"
#include "platform/piattaforma_prova.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/testo_windows.h"
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#endif

struct esito_processo {
  int stato = -1;  // the exit status, or -1 when the program did not end normally
  std::string uscita;
  std::string errori;
};

struct richiesta_processo {
  std::string programma;  // the executable's full path
  std::string nome;       // argv[0]; with `da_path`, the name looked up in PATH
  std::vector<std::string> argomenti;
  std::string cartella;                                       // the child's current directory
  std::vector<std::pair<std::string, std::string>> ambiente;  // set (or, with an empty value, unset)
  bool da_path = false;                                       // started by name through PATH, as from a shell
};

#ifdef _WIN32

namespace processo_prova {

inline std::wstring tra_virgolette(const std::string& a) {
  std::wstring w = in_utf16(a), r = L"\"";
  for (wchar_t c : w) {
    if (c == L'"') r += L'\\';
    r += c;
  }
  return r + L"\"";
}

inline HANDLE apri_ereditabile(const std::string& percorso) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileW(in_utf16(percorso).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace processo_prova

// The changes to the environment are made in this process around CreateProcessW, so the
// child inherits them, and undone right after.
inline esito_processo esegui_processo(const richiesta_processo& r) {
  using namespace processo_prova;
  PiattaformaProva uscite;
  std::string file_uscita = uscite.percorso("uscita.txt"), file_errori = uscite.percorso("errori.txt");
  HANDLE uscita = apri_ereditabile(file_uscita), errori = apri_ereditabile(file_errori);
  std::wstring riga = tra_virgolette(r.nome.empty() ? r.programma : r.nome);
  for (const std::string& a : r.argomenti) riga += L" " + tra_virgolette(a);
  std::vector<std::pair<std::wstring, std::wstring>> prima;
  for (const auto& [nome, valore] : r.ambiente) {
    std::wstring n = in_utf16(nome);
    wchar_t vecchio[32767];
    DWORD quanti = GetEnvironmentVariableW(n.c_str(), vecchio, 32767);
    prima.emplace_back(n, quanti > 0 ? std::wstring(vecchio, quanti) : std::wstring());
    SetEnvironmentVariableW(n.c_str(), valore.empty() ? nullptr : in_utf16(valore).c_str());
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = INVALID_HANDLE_VALUE;
  si.hStdOutput = uscita;
  si.hStdError = errori;
  PROCESS_INFORMATION pi{};
  std::wstring programma = in_utf16(r.programma), cartella = in_utf16(r.cartella);
  // Started by name, the program is found through PATH, as a shell would find it; the
  // system's own search looks beside this test program first, where the build's copy
  // stands, so the path is handed over and only the name is the child's argv[0].
  BOOL partito =
      CreateProcessW(programma.c_str(), riga.data(), nullptr, nullptr, TRUE, 0, nullptr, cartella.c_str(), &si, &pi);
  for (const auto& [nome, valore] : prima)
    SetEnvironmentVariableW(nome.c_str(), valore.empty() ? nullptr : valore.c_str());
  CloseHandle(uscita);
  CloseHandle(errori);
  esito_processo e;
  if (partito) {
    DWORD codice = 0;
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &codice)) {
      e.stato = static_cast<int>(codice);
    } else {
      TerminateProcess(pi.hProcess, 255);
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  e.uscita = leggi_file(file_uscita);
  e.errori = leggi_file(file_errori);
  return e;
}

#else

inline esito_processo esegui_processo(const richiesta_processo& r) {
  PiattaformaProva uscite;
  std::string file_uscita = uscite.percorso("uscita.txt"), file_errori = uscite.percorso("errori.txt");
  std::vector<std::string> argomenti{r.nome.empty() ? r.programma : r.nome};
  argomenti.insert(argomenti.end(), r.argomenti.begin(), r.argomenti.end());
  std::vector<char*> argv;
  for (std::string& a : argomenti) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t figlio = fork();
  if (figlio == 0) {
    int uscita = open(file_uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int errori = open(file_errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (uscita < 0 || errori < 0 || chdir(r.cartella.c_str()) != 0) _exit(126);
    dup2(uscita, 1);
    dup2(errori, 2);
    for (const auto& [nome, valore] : r.ambiente) {
      int esito = valore.empty() ? unsetenv(nome.c_str()) : setenv(nome.c_str(), valore.c_str(), 1);
      if (esito != 0) _exit(126);
    }
    // Started by name, the program is looked up in PATH, as a shell would do.
    r.da_path ? execvp(argv[0], argv.data()) : execv(r.programma.c_str(), argv.data());
    _exit(127);
  }
  esito_processo e;
  int stato = 0;
  if (figlio > 0 && waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato)) e.stato = WEXITSTATUS(stato);
  e.uscita = leggi_file(file_uscita);
  e.errori = leggi_file(file_errori);
  return e;
}

#endif
