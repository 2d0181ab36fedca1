// The standard streams on Windows: a stream buffer that writes UTF-8 text to a console
// as UTF-16 through WriteConsoleW, and the C runtime's binary mode for data.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

#include "platform/flussi_standard.h"
#include "platform/testo_windows.h"

bool e_terminale(flusso_standard f) { return _isatty(f == flusso_standard::uscita ? 1 : 2) != 0; }

namespace {

// The length of `testo` without a UTF-8 sequence cut short at its end.
size_t lunghezza_intera(const std::string& testo) {
  for (size_t indietro = 1; indietro <= 4 && indietro <= testo.size(); ++indietro) {
    auto b = static_cast<unsigned char>(testo[testo.size() - indietro]);
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    size_t lunghezza = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return lunghezza > indietro ? testo.size() - indietro : testo.size();
  }
  return testo.size();
}

// Writes to a console a line at a time, and at every flush; a UTF-8 sequence cut at the
// end of a write waits for the rest of its bytes.
class scrittura_console : public std::streambuf {
 public:
  explicit scrittura_console(HANDLE console) : console_(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    char b = traits_type::to_char_type(c);
    xsputn(&b, 1);
    return c;
  }

  std::streamsize xsputn(const char* s, std::streamsize n) override {
    in_attesa_.append(s, static_cast<size_t>(n));
    if (in_attesa_.find('\n') != std::string::npos) scarica();
    return n;
  }

  int sync() override {
    scarica();
    return 0;
  }

 private:
  void scarica() {
    size_t intera = lunghezza_intera(in_attesa_);
    std::wstring testo = in_utf16(in_attesa_.substr(0, intera));
    in_attesa_.erase(0, intera);
    const wchar_t* p = testo.data();
    size_t resto = testo.size();
    while (resto > 0) {
      DWORD parte = resto < 8192 ? static_cast<DWORD>(resto) : 8192, scritti = 0;
      if (!WriteConsoleW(console_, p, parte, &scritti, nullptr) || scritti == 0) return;
      p += scritti;
      resto -= scritti;
    }
  }

  HANDLE console_;
  std::string in_attesa_;
};

// The console behind the C runtime's descriptor `fd`, or nothing.
HANDLE console_di(int fd) {
  auto h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD modo = 0;
  if (h == INVALID_HANDLE_VALUE || h == nullptr || !GetConsoleMode(h, &modo)) return nullptr;
  return h;
}

}  // namespace

void console_in_unicode() {
  // The buffers live as long as the program: the streams are flushed at its very end.
  if (HANDLE h = console_di(_fileno(stdout))) {
    std::cout.flush();
    std::cout.rdbuf(new scrittura_console(h));
  }
  if (HANDLE h = console_di(_fileno(stderr))) {
    std::cerr.flush();
    std::cerr.rdbuf(new scrittura_console(h));
  }
}

void ingresso_binario() { _setmode(_fileno(stdin), _O_BINARY); }

void uscita_binaria() {
  std::cout.flush();
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}
