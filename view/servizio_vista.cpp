// The live view's server. One thread waits on a watcher of the two source files
// (platform/osservatore_file.h: inotify, ReadDirectoryChangesW, or looking in turn where
// neither works); once the files have been quiet for a moment after a change (an editor's
// save is a burst of events: one compile for it) they are read and, when their text
// changed, compiled in memory. The HTTP server answers GET / with the page and GET
// /events with a stream of the data, one event per compilation. Nothing is ever written.
//
// It answers only its own page and stream, on 127.0.0.1 only; a request whose Host is
// not a loopback name with the server's port, or that comes from another origin (an
// Origin header or a cross-site fetch mark), gets 403 and no content. Its connections
// are the view's own (connessioni_vista.h): one request each, its headers bounded in
// time, size and number; a stream holds one of the server's workers while it is open,
// and ends as soon as its client has gone.
#include "view/servizio_vista.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "model/nomi_file.h"
#include "platform/browser.h"
#include "platform/osservatore_file.h"
#include "view/connessioni_vista.h"
#include "view/dati_vista.h"
#include "view/pagina_vista.h"

// cpp-httplib 0.11 on Windows needs Vista's sockets (WSAPoll, inet_pton).
#if defined(_WIN32) && (!defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0600)
#error "view --serve needs _WIN32_WINNT 0x0600 (Windows Vista) or later"
#endif

namespace {

volatile std::sig_atomic_t fermata_chiesta = 0;
extern "C" void ferma(int) { fermata_chiesta = 1; }

// The latest data and its number, for the streams to wait on.
struct stato_dati {
  std::mutex m;
  std::condition_variable cambiati;
  std::string json;
  uint64_t generazione = 0;
  bool fine = false;
  int flussi = 0;  // the streams open
};

// What was read of the two source files: their texts (a missing one left out, for the
// loader to report), or the one that cannot be read at all and why, as check says it.
struct lettura {
  sorgenti_in_memoria sorgenti;
  std::string rifiutato;
  std::string motivo;
  bool operator==(const lettura& a) const {
    return sorgenti.file == a.sorgenti.file && rifiutato == a.rifiutato && motivo == a.motivo;
  }
};

lettura leggi(const std::string& cartella, const richiesta_caricamento& r) {
  try {
    return {leggi_sorgenti(cartella, r), {}, {}};
  } catch (const errore_file& e) {
    // Named as the page names its files (a file being saved just now is read again at
    // the next change).
    std::string nome = e.percorso;
    for (const std::string& n : {nome_file_linea(r.linea), nome_file_servizio(r.linea, r.treno)}) {
      if (e.percorso == percorso_in(cartella, n)) nome = n;
    }
    return {{}, nome, e.motivo};
  }
}

std::string dati_di(const lettura& l, const richiesta_caricamento& r) {
  return l.rifiutato.empty() ? dati_vista_json(l.sorgenti, r) : dati_vista_rifiuto_json(l.rifiutato, l.motivo, r);
}

// A Host header naming a loopback address and the server's own port.
bool host_ammesso(const std::string& host, int porta) {
  const std::string p = std::to_string(porta);
  for (std::string_view nome : {"127.0.0.1:", "localhost:", "[::1]:"}) {
    if (host.size() == nome.size() + p.size() && host.starts_with(nome) && host.ends_with(p)) return true;
  }
  return false;
}

// Binds to 127.0.0.1:`porta_chiesta` (0: a port the system chooses) and returns the port.
int lega(servitore_vista& server, int porta_chiesta) {
  int porta = server.lega_locale(porta_chiesta);
  if (porta <= 0) throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(porta_chiesta));
  return porta;
}

// Anything but a GET to a loopback Host with the server's port, from no other origin,
// gets 403 before it is routed.
void rifiuta_estranei(httplib::Server& server, int porta) {
  server.set_pre_routing_handler([porta](const httplib::Request& q, httplib::Response& r) {
    std::string origine = q.get_header_value("Origin");
    std::string sito = q.get_header_value("Sec-Fetch-Site");
    bool straniera = (!origine.empty() && !host_ammesso(origine.substr(origine.find("//") + 2), porta)) ||
                     (!sito.empty() && sito != "same-origin" && sito != "none");
    if (q.method != "GET" || !host_ammesso(q.get_header_value("Host"), porta) || straniera) {
      r.status = 403;
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
}

// GET /: the page with the latest data.
void servi_pagina(httplib::Server& server, std::shared_ptr<stato_dati> dati, const std::string& titolo) {
  server.Get("/", [dati, titolo](const httplib::Request&, httplib::Response& r) {
    std::lock_guard<std::mutex> l(dati->m);
    r.set_content(pagina_vista(dati->json, titolo, true), "text/html; charset=utf-8");
    r.set_header("Cache-Control", "no-store");
  });
}

// One of the streams that may be open at once, given back when its answer ends; none
// when they are all taken.
std::shared_ptr<void> posto_di_flusso(const std::shared_ptr<stato_dati>& dati) {
  std::lock_guard<std::mutex> l(dati->m);
  if (dati->flussi == flussi_massimi) return nullptr;
  ++dati->flussi;
  return {&dati->flussi, [dati](int*) {
            std::lock_guard<std::mutex> l(dati->m);
            --dati->flussi;
          }};
}

// A stream's next event: the data, as soon as they are new to it (generation `inviata`
// - 1 was the last it had), or a comment after 15 s of quiet, which keeps it open. False
// when the server stops or the client has gone, which is looked at every 100 ms.
bool prossimo_evento(stato_dati& dati, uint64_t& inviata, httplib::DataSink& sink) {
  using namespace std::chrono_literals;
  const auto quiete = std::chrono::steady_clock::now() + 15s;
  std::string evento = ": idle\n\n";
  for (;;) {
    {
      std::unique_lock<std::mutex> l(dati.m);
      if (dati.cambiati.wait_for(l, 100ms, [&] { return dati.fine || dati.generazione + 1 != inviata; })) {
        if (dati.fine) return false;
        inviata = dati.generazione + 1;
        evento = "data: " + dati.json + "\n\n";
        break;
      }
    }
    if (cliente_andato()) return false;
    if (std::chrono::steady_clock::now() >= quiete) break;
  }
  return sink.write(evento.data(), evento.size());
}

// GET /events: the latest data at once, then again each time they change; 503 when as
// many streams as may be are open already.
void servi_eventi(httplib::Server& server, std::shared_ptr<stato_dati> dati) {
  server.Get("/events", [dati](const httplib::Request&, httplib::Response& r) {
    r.set_header("Cache-Control", "no-store");
    std::shared_ptr<void> posto = posto_di_flusso(dati);
    if (!posto) {
      r.status = 503;
      return;
    }
    auto inviata = std::make_shared<uint64_t>(0);
    r.set_chunked_content_provider("text/event-stream", [dati, inviata, posto](size_t, httplib::DataSink& sink) {
      return prossimo_evento(*dati, *inviata, sink);
    });
  });
}

}  // namespace

struct vista_viva::stato {
  std::string cartella;
  richiesta_caricamento richiesta;
  std::shared_ptr<stato_dati> dati = std::make_shared<stato_dati>();
  servitore_vista server;
  int porta = 0;
  std::unique_ptr<osservatore_file> osservatore;
  std::atomic<bool> fermare{false};
  std::thread ascolta, sorveglia;

  // Until the stop: once the files have settled after a change, their texts are read
  // and, when they differ from `ultime`, compiled once into new data for the streams.
  void sorveglia_file(lettura ultime) {
    using namespace std::chrono_literals;
    while (!fermare) {
      if (!osservatore->aspetta(200ms)) continue;  // the stop is looked at in between
      // Settled: 20 ms without another event, at most 300 ms after the first.
      auto limite = std::chrono::steady_clock::now() + 300ms;
      while (std::chrono::steady_clock::now() < limite && osservatore->aspetta(20ms)) {
      }
      lettura ora = leggi(cartella, richiesta);
      if (ora == ultime) continue;
      ultime = std::move(ora);
      std::string json = dati_di(ultime, richiesta);
      std::lock_guard<std::mutex> l(dati->m);
      dati->json = std::move(json);
      ++dati->generazione;
      dati->cambiati.notify_all();
    }
  }
};

vista_viva::vista_viva(const std::string& cartella, const richiesta_caricamento& richiesta, int porta_chiesta)
    : s_(std::make_unique<stato>()) {
  stato* s = s_.get();
  s->cartella = cartella;
  s->richiesta = richiesta;
  // Watched from before the first reading: no save is missed between the two.
  s->osservatore = std::make_unique<osservatore_file>(
      cartella, std::vector<std::string>{nome_file_linea(richiesta.linea),
                                         nome_file_servizio(richiesta.linea, richiesta.treno)});
  lettura ultime = leggi(cartella, richiesta);
  s->dati->json = dati_di(ultime, richiesta);

  s->porta = lega(s->server, porta_chiesta);
  rifiuta_estranei(s->server, s->porta);
  servi_pagina(s->server, s->dati, richiesta.linea + " \u2014 " + richiesta.treno);
  servi_eventi(s->server, s->dati);
  s->sorveglia = std::thread([s, ultime = std::move(ultime)]() mutable { s->sorveglia_file(std::move(ultime)); });
  s->ascolta = std::thread([s] { s->server.listen_after_bind(); });
  // Running before it is handed out: a stop asked earlier would not reach it.
  for (int i = 0; i < 2000 && !s->server.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

vista_viva::~vista_viva() {
  s_->fermare = true;
  {
    std::lock_guard<std::mutex> l(s_->dati->m);
    s_->dati->fine = true;
    s_->dati->cambiati.notify_all();
  }
  s_->server.stop();
  s_->ascolta.join();
  s_->sorveglia.join();
}

std::string vista_viva::indirizzo() const { return "http://127.0.0.1:" + std::to_string(s_->porta) + "/"; }

int servi_vista(const std::string& cartella, const richiesta_caricamento& richiesta, int porta, bool apri,
                std::ostream& uscita, std::ostream& errori) {
  std::unique_ptr<vista_viva> vista;
  try {
    vista = std::make_unique<vista_viva>(cartella, richiesta, porta);
  } catch (const std::runtime_error& e) {
    errori << "scenario_tool: " << e.what() << '\n';
    return 2;
  }
  fermata_chiesta = 0;
  std::signal(SIGINT, ferma);
  std::signal(SIGTERM, ferma);
  uscita << vista->indirizzo() << '\n' << std::flush;
  if (apri && !apri_nel_browser(vista->indirizzo())) {
    errori << "scenario_tool: the browser could not be started; open " << vista->indirizzo() << " yourself\n";
  }
  while (!fermata_chiesta) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  vista.reset();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  uscita << "stopped\n";
  return 0;
}
