// The live view's server. One thread polls the two source files every 100 ms (a portable
// first form of watching: a save is seen within that time) and compiles them in memory
// when either has changed; the HTTP server answers GET / with the page and GET /events
// with a stream of the data, one event per compilation. Nothing is ever written.
//
// It answers only its own page and stream, on 127.0.0.1 only; a request whose Host is
// not a loopback name with the server's port, or that comes from another origin (an
// Origin header or a cross-site fetch mark), gets 403 and no content.
#include "tool/servizio_vista.h"

#include <httplib.h>

// cpp-httplib 0.11 on Windows needs Vista's sockets (WSAPoll, inet_pton).
#if defined(_WIN32) && (!defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0600)
#error "view --serve needs _WIN32_WINNT 0x0600 (Windows Vista) or later"
#endif

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>
#include <thread>

#include "tool/dati_vista.h"
#include "tool/pagina_vista.h"

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
};

// The two source files' texts, read as the loader would; a missing one is left out.
sorgenti_in_memoria leggi(const std::string& cartella, const richiesta_caricamento& r) {
  try {
    return leggi_sorgenti(cartella, r);
  } catch (const errore_file&) {
    return {};  // being saved just now: read again at the next poll
  }
}

bool host_ammesso(const std::string& host, int porta) {
  std::string p = ":" + std::to_string(porta);
  return host == "127.0.0.1" + p || host == "localhost" + p || host == "[::1]" + p;
}

}  // namespace

int servi_vista(const std::string& cartella, const richiesta_caricamento& richiesta, int porta_chiesta,
                std::ostream& uscita, std::ostream& errori) {
  auto stato = std::make_shared<stato_dati>();
  sorgenti_in_memoria ultime = leggi(cartella, richiesta);
  stato->json = dati_vista_json(ultime, richiesta);
  std::string titolo = richiesta.linea + " \u2014 " + richiesta.treno;

  httplib::Server server;
  int porta = porta_chiesta == 0 ? server.bind_to_any_port("127.0.0.1")
                                 : (server.bind_to_port("127.0.0.1", porta_chiesta) ? porta_chiesta : -1);
  if (porta <= 0) {
    errori << "scenario_tool: cannot listen on 127.0.0.1:" << porta_chiesta << '\n';
    return 2;
  }
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
  server.Get("/", [stato, titolo](const httplib::Request&, httplib::Response& r) {
    std::lock_guard<std::mutex> l(stato->m);
    r.set_content(pagina_vista(stato->json, titolo, true), "text/html; charset=utf-8");
    r.set_header("Cache-Control", "no-store");
  });
  server.Get("/events", [stato](const httplib::Request&, httplib::Response& r) {
    r.set_header("Cache-Control", "no-store");
    auto inviata = std::make_shared<uint64_t>(0);
    r.set_chunked_content_provider("text/event-stream", [stato, inviata](size_t, httplib::DataSink& sink) {
      std::unique_lock<std::mutex> l(stato->m);
      stato->cambiati.wait_for(l, std::chrono::seconds(15),
                               [&] { return stato->fine || stato->generazione + 1 != *inviata; });
      if (stato->fine) return false;
      if (stato->generazione + 1 == *inviata) return sink.write(": idle\n\n", 9);  // keeps the stream open
      *inviata = stato->generazione + 1;
      std::string evento = "data: " + stato->json + "\n\n";
      l.unlock();
      return sink.write(evento.data(), evento.size());
    });
  });

  fermata_chiesta = 0;
  std::signal(SIGINT, ferma);
  std::signal(SIGTERM, ferma);
  std::thread sorveglia([&] {
    while (!fermata_chiesta) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      sorgenti_in_memoria ora = leggi(cartella, richiesta);
      if (ora.file == ultime.file) continue;
      ultime = std::move(ora);
      std::string json = dati_vista_json(ultime, richiesta);
      std::lock_guard<std::mutex> l(stato->m);
      stato->json = std::move(json);
      ++stato->generazione;
      stato->cambiati.notify_all();
    }
    {
      std::lock_guard<std::mutex> l(stato->m);
      stato->fine = true;
      stato->cambiati.notify_all();
    }
    server.stop();
  });
  uscita << "http://127.0.0.1:" << porta << "/\n" << std::flush;
  server.listen_after_bind();
  fermata_chiesta = 1;
  sorveglia.join();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  uscita << "stopped\n";
  return 0;
}
