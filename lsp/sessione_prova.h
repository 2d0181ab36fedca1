// Test support: a language server driven in process, message by message, with the
// built-in pair at hand as an editor would send it (UTF-8).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lsp/servitore.h"
#include "model/testo_unicode.h"
#include "sources/testi_sorgenti.h"

// A stand-in for the reference of the codes: a heading and one line naming the code
// asked for.
inline std::string sezione_prova(const std::string& testo, const std::string& chi) {
  return "### `" + chi + "`\n" + testo + " " + chi;
}

class sessione_prova {
 public:
  explicit sessione_prova(json capacita = json::object(), bool legge_disco = false, json iniziali = nullptr) {
    opzioni_lsp o;
    o.riferimento = "the reference of";
    o.sezione = sezione_prova;
    o.riferimento_uri = "file:///docs/codes.md";
    o.legge_disco = legge_disco;
    s = std::make_unique<servitore_lsp>(o);
    json parametri = {{"processId", nullptr}, {"capabilities", capacita}};
    if (!iniziali.is_null()) parametri["initializationOptions"] = iniziali;
    inizializzato = richiedi("initialize", parametri);
    EXPECT_TRUE(inizializzato.contains("capabilities")) << inizializzato;
    notifica("initialized", json::object());
  }

  // A request's result (or its error object, under "error").
  json richiedi(const std::string& metodo, json parametri) {
    std::vector<json> r = s->gestisci(json{{"jsonrpc", "2.0"}, {"id", ++id}, {"method", metodo}, {"params", parametri}});
    EXPECT_EQ(r.size(), 1u) << metodo;
    if (r.empty()) return nullptr;
    EXPECT_EQ(r[0]["id"], id);
    return r[0].contains("error") ? json{{"error", r[0]["error"]}} : r[0]["result"];
  }
  std::vector<json> notifica(const std::string& metodo, json parametri) {
    return s->gestisci(json{{"jsonrpc", "2.0"}, {"method", metodo}, {"params", parametri}});
  }
  void apri(const std::string& uri, const std::string& testo, int versione = 1) {
    notifica("textDocument/didOpen",
             {{"textDocument", {{"uri", uri}, {"languageId", "scenario"}, {"version", versione}, {"text", testo}}}});
  }
  void cambia(const std::string& uri, const std::string& testo, int versione) {
    notifica("textDocument/didChange",
             {{"textDocument", {{"uri", uri}, {"version", versione}}}, {"contentChanges", {{{"text", testo}}}}});
  }
  // The diagnostics published, by uri.
  std::map<std::string, json> pubblica() {
    std::map<std::string, json> d;
    for (const json& n : s->pubblica()) {
      EXPECT_EQ(n["method"], "textDocument/publishDiagnostics");
      d[n["params"]["uri"]] = n["params"];
    }
    return d;
  }
  static json pos(int riga, int carattere) { return {{"line", riga}, {"character", carattere}}; }
  static json doc(const std::string& uri) { return {{"uri", uri}}; }

  std::unique_ptr<servitore_lsp> s;
  json inizializzato;  // the answer to initialize
  int id = 0;
};

// The built-in pair as an editor holds it, in a folder of its own.
inline const std::string uri_linea = "file:///percorsi/QUMA-DORVIA_MIRELO_linea.txt";
inline const std::string uri_servizio = "file:///percorsi/QUMA-DORVIA_MIRELO_brezane-.txt";
inline std::string linea_utf8() { return in_utf8(testo_linea()); }
inline std::string servizio_utf8() { return in_utf8(testo_servizio()); }

// The text with the first `da` after `dopo` replaced by `a`.
inline std::string sostituisci(std::string testo, const std::string& da, const std::string& a,
                               const std::string& dopo = "") {
  size_t k = testo.find(da, testo.find(dopo));
  if (k != std::string::npos) testo.replace(k, da.size(), a);
  return testo;
}

// The line (from 0) and character of the first `cercato` in `testo`, counted in UTF-16
// units (the text holds no character beyond U+FFFF).
inline json dove(const std::string& testo, const std::string& cercato) {
  size_t k = testo.find(cercato);
  int riga = 0, carattere = 0;
  for (size_t i = 0; i < k; ++i) {
    if (testo[i] == '\n') {
      ++riga;
      carattere = 0;
    } else if ((static_cast<unsigned char>(testo[i]) & 0xC0) != 0x80 && testo[i] != '\r') {
      ++carattere;
    }
  }
  return sessione_prova::pos(riga, carattere);
}
