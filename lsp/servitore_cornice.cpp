// Content-Length framing, read byte by byte in the header and in blocks in the body.
#include "lsp/servitore_cornice.h"

#include <algorithm>
#include <cctype>

namespace {

// One header line without its line end; false at the end of the stream. A line longer
// than the limit is read to its end and kept cut.
bool leggi_riga(std::istream& in, std::string& riga, bool& lunga) {
  riga.clear();
  lunga = false;
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    if (c == '\n') {
      if (!riga.empty() && riga.back() == '\r') riga.pop_back();
      return true;
    }
    if (riga.size() < limite_riga_intestazione) {
      riga += static_cast<char>(c);
    } else {
      lunga = true;
    }
  }
  return false;
}

bool uguale_senza_maiuscole(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The value of a Content-Length line: digits only, and not absurdly many.
bool leggi_misura(std::string_view valore, size_t& misura) {
  size_t inizio = valore.find_first_not_of(" \t");
  size_t fine = valore.find_last_not_of(" \t");
  if (inizio == std::string_view::npos) return false;
  valore = valore.substr(inizio, fine - inizio + 1);
  if (valore.empty() || valore.size() > 15) return false;
  misura = 0;
  for (char c : valore) {
    if (c < '0' || c > '9') return false;
    misura = misura * 10 + static_cast<size_t>(c - '0');
  }
  return true;
}

// Reads `n` bytes past, a block at a time; false when the stream ends first.
bool salta(std::istream& in, size_t n) {
  char blocco[8192];
  while (n > 0) {
    size_t pezzo = std::min(n, sizeof blocco);
    in.read(blocco, static_cast<std::streamsize>(pezzo));
    if (static_cast<size_t>(in.gcount()) != pezzo) return false;
    n -= pezzo;
  }
  return true;
}

}  // namespace

messaggio_letto leggi_messaggio(std::istream& in, size_t limite) {
  messaggio_letto m;
  std::string riga;
  bool lunga = false;
  bool con_misura = false, misura_guasta = false, righe_lette = false;
  size_t misura = 0;
  while (true) {
    if (!leggi_riga(in, riga, lunga)) {
      m.esito = righe_lette || !riga.empty() ? esito_cornice::troncato : esito_cornice::fine;
      return m;
    }
    if (riga.empty()) {
      if (!righe_lette) continue;  // blank lines between messages are passed over
      break;
    }
    righe_lette = true;
    size_t due_punti = riga.find(':');
    if (due_punti == std::string::npos || lunga) {
      misura_guasta = true;
      continue;
    }
    if (uguale_senza_maiuscole(std::string_view(riga).substr(0, due_punti), "Content-Length")) {
      size_t letta = 0;
      if (leggi_misura(std::string_view(riga).substr(due_punti + 1), letta) && !con_misura) {
        con_misura = true;
        misura = letta;
      } else {
        misura_guasta = true;
      }
    }
  }
  if (!con_misura || misura_guasta) {
    // Without a length the body cannot be told from the next header: the next
    // message is looked for from here on.
    m.esito = esito_cornice::senza_misura;
    return m;
  }
  if (misura > limite) {
    m.esito = salta(in, misura) ? esito_cornice::troppo_grande : esito_cornice::troncato;
    return m;
  }
  m.corpo.resize(misura);
  in.read(m.corpo.data(), static_cast<std::streamsize>(misura));
  if (static_cast<size_t>(in.gcount()) != misura) {
    m.corpo.clear();
    m.esito = esito_cornice::troncato;
    return m;
  }
  m.esito = esito_cornice::messaggio;
  return m;
}

void scrivi_messaggio(std::ostream& out, std::string_view corpo) {
  out << "Content-Length: " << corpo.size() << "\r\n\r\n" << corpo;
  out.flush();
}
