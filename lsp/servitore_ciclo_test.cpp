#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

#include "lsp/ciclo_prova.h"
#include "lsp/servitore.h"
#include "lsp/sessione_prova.h"
#include "platform/piattaforma_prova.h"

namespace {

std::string cornice(const std::string& corpo) { return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo; }

// The bodies of the messages a stream holds, read back as a client would.
std::vector<json> risposte(const std::string& flusso) {
  std::istringstream in(flusso);
  std::vector<json> r;
  for (messaggio_letto m = leggi_messaggio(in); m.esito == esito_cornice::messaggio; m = leggi_messaggio(in)) {
    r.push_back(json::parse(m.corpo));
  }
  return r;
}

}  // namespace

// A fuzzed stream of messages (random framing, JSON, methods and parameters) against the
// whole loop, with the built-in pair on the disk beside the files named: the server
// answers in well-framed JSON, ends at the end of its input, and leaves the folder as
// it was.
TEST(CicloLsp, AFuzzedStreamOfMessages) {
  PiattaformaProva cartella;
  cartella.scrivi("QUMA-DORVIA_MIRELO_linea.txt", testo_linea());
  cartella.scrivi("QUMA-DORVIA_MIRELO_brezane-.txt", testo_servizio());
  const std::string base = uri_da_percorso(cartella.percorso(""));
  const std::vector<std::string> uris = {base + "QUMA-DORVIA_MIRELO_linea.txt", base + "QUMA-DORVIA_MIRELO_brezane-.txt",
                                         base + "ALTRA_linea.txt", base + "x_y-.txt", "untitled:1", "file:///"};
  const std::vector<std::string> metodi = {
      "initialize", "initialized", "textDocument/didOpen", "textDocument/didChange", "textDocument/didSave",
      "textDocument/didClose", "textDocument/hover", "textDocument/completion", "textDocument/documentSymbol",
      "workspace/symbol", "textDocument/codeAction", "textDocument/definition", "shutdown", "$/cancelRequest", "x"};
  std::mt19937 caso(20);
  auto a_caso = [&](size_t n) { return static_cast<size_t>(caso() % n); };
  auto testo = [&] {
    std::string t = a_caso(2) ? servizio_utf8() : linea_utf8();
    for (int i = 0, n = static_cast<int>(a_caso(20)); i < n; ++i) {
      size_t k = a_caso(t.size());
      t.insert(t.begin() + static_cast<std::ptrdiff_t>(k), "\n,-[]0123456789 aeitz\xC3\xA8"[a_caso(22)]);
      if (a_caso(3) == 0) t.erase(a_caso(t.size()), a_caso(50));
    }
    return in_utf8(in_windows_1252(t));  // whole characters only
  };
  auto posizione = [&] {
    const int valori[] = {0, 1, 5, 17, 80, 400, -1, 1 << 30};
    return json{{"line", valori[a_caso(8)]}, {"character", valori[a_caso(8)]}};
  };
  std::string flusso = cornice(json{{"jsonrpc", "2.0"}, {"id", 0}, {"method", "initialize"}, {"params", json::object()}}.dump());
  for (int n = 1; n <= 300; ++n) {
    std::string uri = uris[a_caso(uris.size())];
    json parametri = {{"textDocument", {{"uri", uri}, {"version", n}, {"text", testo()}}},
                      {"position", posizione()},
                      {"range", {{"start", posizione()}, {"end", posizione()}}},
                      {"contentChanges", json::array({{{"text", testo()}}})},
                      {"query", a_caso(2) ? "" : "km"}};
    if (a_caso(4) == 0) parametri.erase(parametri.begin());  // a key missing
    if (a_caso(8) == 0) parametri["contentChanges"][0]["range"] = {{"start", posizione()}, {"end", posizione()}};
    json m = {{"jsonrpc", "2.0"}, {"method", metodi[a_caso(metodi.size())]}, {"params", parametri}};
    if (a_caso(2)) m["id"] = n;
    std::string corpo = m.dump();
    switch (a_caso(12)) {
      case 0: corpo = corpo.substr(0, a_caso(corpo.size())); break;  // cut JSON
      case 1: corpo[a_caso(corpo.size())] = static_cast<char>(caso()); break;  // a byte changed
      case 2: flusso += "Content-Length: x\r\n\r\n"; break;  // a bad header
      case 3: flusso += "Content-Length: 99999\r\n\r\n" + std::string(99999, ' '); break;  // over the limit
      default: break;
    }
    flusso += cornice(corpo);
  }
  std::istringstream in(flusso);
  std::ostringstream out;
  auto prima = cartella.contenuto();
  servi_lsp(in, out, opzioni_lsp{}, 0, 50000);
  EXPECT_EQ(cartella.contenuto(), prima);
  EXPECT_EQ(cartella.leggi("QUMA-DORVIA_MIRELO_linea.txt"), testo_linea());
  std::vector<json> r = risposte(out.str());
  EXPECT_GT(r.size(), 100u);
  for (const json& x : r) EXPECT_EQ(x["jsonrpc"], "2.0");
}

// The loop from initialize to exit, with the diagnostics published after the changes
// (the analyses run in line, so each comes as soon as its change is handled).
TEST(CicloLsp, FromInitializeToExit) {
  const json messaggi[] = {
      {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", {{"capabilities", json::object()}}}},
      {{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}},
      {{"jsonrpc", "2.0"},
       {"method", "textDocument/didOpen"},
       {"params", {{"textDocument", {{"uri", uri_servizio}, {"version", 1}, {"text", servizio_utf8()}}}}}},
      {{"jsonrpc", "2.0"},
       {"method", "textDocument/didOpen"},
       {"params", {{"textDocument", {{"uri", uri_linea}, {"version", 1}, {"text", linea_utf8()}}}}}},
      {{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}},
      {{"jsonrpc", "2.0"}, {"method", "exit"}},
  };
  std::string flusso;
  for (const json& m : messaggi) flusso += cornice(m.dump());
  std::istringstream in(flusso + cornice("{\"after\": \"exit\"}"));
  std::ostringstream out;
  esecutore_in_linea in_linea;
  EXPECT_EQ(servi_lsp(in, out, opzioni_lsp{}, 0, limite_messaggio, true, &in_linea), 0);
  std::vector<json> r = risposte(out.str());
  std::vector<std::string> visti;
  for (const json& x : r) visti.push_back(x.contains("id") ? "reply " + x["id"].dump() : x["method"].get<std::string>());
  EXPECT_EQ(visti, (std::vector<std::string>{"reply 1", "textDocument/publishDiagnostics", "textDocument/publishDiagnostics",
                                             "textDocument/publishDiagnostics", "reply 2"}));
}

namespace {

// The loop on a thread of its own, spoken to over in-process pipes, its analyses held
// back until the test lets them go; the partners are never looked for on the disk.
class ciclo_trattenuto {
 public:
  ciclo_trattenuto() {
    ciclo_ = std::thread([this] {
      opzioni_lsp o;
      o.legge_disco = false;
      stato = servi_lsp(in_, out_, o, 0, limite_messaggio, true, &esecutore);
      uscita_.chiudi();
    });
    invia({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", {{"capabilities", json::object()}}}});
  }
  // A test that stopped early: the end of the input ends the loop.
  ~ciclo_trattenuto() {
    ingresso_.chiudi();
    if (ciclo_.joinable()) ciclo_.join();
  }
  ciclo_trattenuto(const ciclo_trattenuto&) = delete;
  ciclo_trattenuto& operator=(const ciclo_trattenuto&) = delete;

  void invia(const json& m) {
    std::string t = cornice(m.dump());
    ingresso_.sputn(t.data(), static_cast<std::streamsize>(t.size()));
  }
  void apri(const std::string& uri, const std::string& testo, int versione = 1) {
    invia({{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
           {"params", {{"textDocument", {{"uri", uri}, {"version", versione}, {"text", testo}}}}}});
  }
  // The messages up to the answer to `id`, in `visti`: "reply ID", or a publication's
  // "URI vVERSION".
  void leggi_fino_a(int id) {
    for (messaggio_letto m = leggi_messaggio(risposte_); m.esito == esito_cornice::messaggio; m = leggi_messaggio(risposte_)) {
      json x = json::parse(m.corpo);
      visti.push_back(x.contains("id") ? "reply " + x["id"].dump()
                                       : x["params"]["uri"].get<std::string>() + " v" + x["params"]["version"].dump());
      if (x.value("id", 0) == id) return;
    }
  }
  // shutdown (its answer read), exit and the end of the input; the loop's end.
  void chiudi() {
    invia({{"jsonrpc", "2.0"}, {"id", 99}, {"method", "shutdown"}});
    invia({{"jsonrpc", "2.0"}, {"method", "exit"}});
    ingresso_.chiudi();
    leggi_fino_a(99);
    ciclo_.join();
  }

  esecutore_trattenuto esecutore;
  std::vector<std::string> visti;
  int stato = -1;

 private:
  tubo ingresso_, uscita_;
  std::istream in_{&ingresso_}, risposte_{&uscita_};
  std::ostream out_{&uscita_};
  std::thread ciclo_;
};

}  // namespace

// A hover on one file while the pair of another is being checked (its analysis held
// back until the hover's answer is out, as a check of a large file would be): the
// answer does not wait for the check; the diagnostics follow, the pair checked first,
// then the file opened meanwhile, and shutdown's answer waits for both.
TEST(CicloLsp, AnswersWhileAPairIsChecked) {
  ciclo_trattenuto c;
  const std::string altro = "file:///altrove/ALTRA_linea.txt";
  c.apri(uri_linea, linea_utf8());
  c.apri(altro, "[generale]\r\n");
  c.invia({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "textDocument/hover"},
           {"params", {{"textDocument", {{"uri", altro}}}, {"position", sessione_prova::pos(0, 2)}}}});
  c.leggi_fino_a(2);
  c.esecutore.libera();
  c.chiudi();
  EXPECT_EQ(c.visti, (std::vector<std::string>{"reply 1", "reply 2", uri_linea + " v1", altro + " v1", "reply 99"}));
  EXPECT_EQ(c.stato, 0);
}

// A change that comes while its file is being checked: the check of the older text is
// never published, the newer one's is.
TEST(CicloLsp, AnOlderTextsCheckIsNeverPublished) {
  ciclo_trattenuto c;
  c.apri(uri_linea, linea_utf8());
  c.invia({{"jsonrpc", "2.0"}, {"method", "textDocument/didChange"},
           {"params", {{"textDocument", {{"uri", uri_linea}, {"version", 2}}}, {"contentChanges", {{{"text", "x"}}}}}}});
  c.invia({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "workspace/symbol"}, {"params", {{"query", ""}}}});
  c.leggi_fino_a(2);
  c.esecutore.libera();
  c.chiudi();
  EXPECT_EQ(c.visti, (std::vector<std::string>{"reply 1", "reply 2", uri_linea + " v2", "reply 99"}));
}
