#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "lsp/servitore_cornice.h"
#include "lsp/sessione_prova.h"
#include "platform/piattaforma_prova.h"

namespace {

// `scenario_tool lsp` as a child process, spoken to over two pipes as an editor does.
class server_figlio {
 public:
  server_figlio() {
    int dentro[2], fuori[2];
    if (pipe(dentro) != 0 || pipe(fuori) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(dentro[0], 0);
      dup2(fuori[1], 1);
      close(dentro[1]);
      close(fuori[0]);
      execl(SCENARIO_TOOL, "scenario_tool", "lsp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(dentro[0]);
    close(fuori[1]);
    scrivi_ = dentro[1];
    leggi_ = fuori[0];
    std::signal(SIGPIPE, SIG_IGN);
  }
  ~server_figlio() {
    if (scrivi_ >= 0) close(scrivi_);
    if (leggi_ >= 0) close(leggi_);
    if (pid_ > 0 && !atteso_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void invia(const json& m) {
    std::string corpo = m.dump();
    std::string t = "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
    ASSERT_EQ(write(scrivi_, t.data(), t.size()), static_cast<ssize_t>(t.size()));
  }
  void richiedi(int id, const std::string& metodo, json parametri) {
    invia({{"jsonrpc", "2.0"}, {"id", id}, {"method", metodo}, {"params", parametri}});
  }
  void notifica(const std::string& metodo, json parametri) {
    invia({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", parametri}});
  }
  // The next message that `vale` accepts, within five seconds; the others read on the
  // way are passed over.
  template <typename F>
  json attendi(F vale) {
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < limite) {
      for (json& m : messaggi_) {
        if (vale(m)) {
          json trovato = std::move(m);
          m = nullptr;
          return trovato;
        }
      }
      pollfd p{leggi_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char blocco[65536];
      ssize_t n = read(leggi_, blocco, sizeof blocco);
      if (n <= 0) break;
      letto_.append(blocco, static_cast<size_t>(n));
      while (true) {
        size_t fine = letto_.find("\r\n\r\n");
        if (fine == std::string::npos) break;
        size_t misura = std::stoul(letto_.substr(letto_.find(':') + 1));
        if (letto_.size() < fine + 4 + misura) break;
        messaggi_.push_back(json::parse(letto_.substr(fine + 4, misura)));
        letto_.erase(0, fine + 4 + misura);
      }
    }
    ADD_FAILURE() << "no awaited message came";
    return nullptr;
  }
  json risposta(int id) {
    return attendi([&](const json& m) { return m.is_object() && m.contains("id") && m["id"] == id; });
  }
  json diagnostiche(const std::string& uri, int versione) {
    return attendi([&](const json& m) {
      return m.is_object() && m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri &&
             m["params"].value("version", -1) == versione;
    })["params"]["diagnostics"];
  }
  int fine() {
    close(scrivi_);
    scrivi_ = -1;
    int stato = 0;
    waitpid(pid_, &stato, 0);
    atteso_ = true;
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }

 private:
  pid_t pid_ = -1;
  int scrivi_ = -1, leggi_ = -1;
  bool atteso_ = false;
  std::string letto_;
  std::vector<json> messaggi_;
};

}  // namespace

// One editor's session over a pipe: the pair opened from a folder, a speed off its step
// after an à and an è on its line, a keyword changed, hover, completion, the outline,
// and the end; the folder is left as it was.
TEST(SessioneLsp, AnEditorsSessionOverAPipe) {
  PiattaformaProva cartella;
  const std::string base = uri_da_percorso(cartella.percorso(""));
  const std::string linea = base + "QUMA-DORVIA_MIRELO_linea.txt", servizio = base + "QUMA-DORVIA_MIRELO_brezane-.txt";
  // On the disk the service file is the built-in one; the editor's buffer differs.
  cartella.scrivi("QUMA-DORVIA_MIRELO_brezane-.txt", testo_servizio());
  std::string testo = sostituisci(servizio_utf8(), "velocita,     750,   155", "velocit\xC3\xA0 \xC3\xA8,  750,  183");
  server_figlio s;
  s.richiedi(1, "initialize", {{"processId", nullptr}, {"capabilities", json::object()}});
  json r = s.risposta(1);
  EXPECT_EQ(r["result"]["capabilities"]["positionEncoding"], "utf-16");
  s.notifica("initialized", json::object());
  s.notifica("textDocument/didOpen", {{"textDocument", {{"uri", linea}, {"languageId", "scenario-line"}, {"version", 1}, {"text", linea_utf8()}}}});
  s.notifica("textDocument/didOpen", {{"textDocument", {{"uri", servizio}, {"languageId", "scenario-service"}, {"version", 1}, {"text", testo}}}});
  EXPECT_EQ(s.diagnostiche(linea, 1), json::array());
  json d = s.diagnostiche(servizio, 1);
  ASSERT_EQ(d.size(), 1u) << d;
  json inizio = dove(testo, "183");  // after à and è, one UTF-16 unit each
  EXPECT_EQ(d[0]["code"], "speed-rounded");
  EXPECT_EQ(d[0]["range"]["start"], inizio);
  EXPECT_EQ(d[0]["range"]["end"]["character"], inizio["character"].get<int>() + 3);

  // A keyword misspelt in the line file: its diagnostic, from the unsaved buffer.
  std::string sbagliata = sostituisci(linea_utf8(), "pendenza,  1350", "pendnza,  1350");
  s.notifica("textDocument/didChange", {{"textDocument", {{"uri", linea}, {"version", 2}}}, {"contentChanges", {{{"text", sbagliata}}}}});
  d = s.diagnostiche(linea, 2);
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d[0]["code"], "unknown-keyword");
  EXPECT_EQ(d[0]["range"]["start"], dove(sbagliata, "pendnza"));
  EXPECT_NE(d[0]["message"].get<std::string>().find("did you mean 'pendenza'?"), std::string::npos);

  s.richiedi(2, "textDocument/hover", {{"textDocument", {{"uri", servizio}}}, {"position", dove(testo, "stazione,   15300")}});
  r = s.risposta(2);
  EXPECT_NE(r["result"]["contents"]["value"].get<std::string>().find("**stazione**: station"), std::string::npos);
  s.richiedi(3, "textDocument/completion", {{"textDocument", {{"uri", servizio}}}, {"position", dove(testo, "segnale,    2100")}});
  r = s.risposta(3);
  ASSERT_FALSE(r["result"]["items"].empty());
  bool segnale = false;
  for (const json& i : r["result"]["items"]) segnale = segnale || (i["label"] == "segnale" && i["sortText"].get<std::string>()[0] == '0');
  EXPECT_TRUE(segnale);
  s.richiedi(4, "textDocument/documentSymbol", {{"textDocument", {{"uri", servizio}}}});
  r = s.risposta(4);
  EXPECT_NE(r["result"].dump().find("\"detail\":\"km 15.300\",\"kind\":5"), std::string::npos);
  s.richiedi(5, "shutdown", nullptr);
  EXPECT_TRUE(s.risposta(5)["result"].is_null());
  s.notifica("exit", nullptr);
  EXPECT_EQ(s.fine(), 0);
  EXPECT_EQ(cartella.contenuto(), std::vector<std::string>{"QUMA-DORVIA_MIRELO_brezane-.txt"});
}
