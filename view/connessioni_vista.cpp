// The live view's connections: each request's head read within its bounds, then handed
// to the library from memory through a stream of the view's own over the socket.
#include "view/connessioni_vista.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <string>

#include "platform/presa.h"

namespace {

using namespace std::chrono_literals;

// The connection that this thread is answering, for cliente_andato.
thread_local socket_t presa_servita = INVALID_SOCKET;

enum class testata { completa, troppo_grande, assente };

// The library's stream over one connection: first what was read of it already, then
// the socket. The view never reads a request's body, nor asks for the peer's address.
class flusso_connessione final : public httplib::Stream {
 public:
  flusso_connessione(socket_t presa, std::string letti) : presa_(presa), letti_(std::move(letti)) {}
  bool is_readable() const override { return da_ < letti_.size() || presa_leggibile(presa_, attesa_ms()); }
  bool is_writable() const override { return true; }  // a send waits at most the send timeout
  ssize_t read(char* ptr, size_t size) override {
    if (da_ < letti_.size()) {
      size_t n = std::min(size, letti_.size() - da_);
      std::memcpy(ptr, letti_.data() + da_, n);
      da_ += n;
      return static_cast<ssize_t>(n);
    }
    return presa_leggibile(presa_, attesa_ms()) ? presa_ricevi(presa_, ptr, size) : -1;
  }
  ssize_t write(const char* ptr, size_t size) override { return presa_invia(presa_, ptr, size); }
  void get_remote_ip_and_port(std::string&, int&) const override {}
  void get_local_ip_and_port(std::string&, int&) const override {}
  socket_t socket() const override { return presa_; }

 private:
  static int attesa_ms() { return static_cast<int>(attesa_richiesta.count()); }
  socket_t presa_;
  std::string letti_;
  size_t da_ = 0;
};

// How far `letti` holds a request's head (its line and headers, ended by an empty line),
// going on from `esaminati` bytes and `righe` lines seen before: all of it, more than
// its bounds allow, or not all yet.
std::optional<testata> esamina(const std::string& letti, size_t& esaminati, size_t& righe) {
  for (; esaminati < letti.size(); ++esaminati) {
    if (letti[esaminati] != '\n') continue;
    if (++righe > righe_massime || esaminati >= testata_massima) return testata::troppo_grande;
    if (esaminati >= 3 && letti.compare(esaminati - 3, 4, "\r\n\r\n") == 0) return testata::completa;
  }
  if (letti.size() > testata_massima) return testata::troppo_grande;
  return std::nullopt;
}

// Reads a request's head into `letti` (with whatever came after it) until it is all
// there, too large, or the time for it is over; while the server listens on `ascolto`
// (a stopping server waits for no client: the socket is looked at every 100 ms).
testata leggi_testata(socket_t presa, const std::atomic<socket_t>& ascolto, std::string& letti) {
  const auto limite = std::chrono::steady_clock::now() + attesa_richiesta;
  size_t esaminati = 0, righe = 0;
  char blocco[4096];
  while (ascolto != INVALID_SOCKET) {
    auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
    if (resto <= 0ms) break;
    if (!presa_leggibile(presa, static_cast<int>(std::min<std::chrono::milliseconds>(resto, 100ms).count()))) continue;
    std::ptrdiff_t n = presa_ricevi(presa, blocco, sizeof blocco);
    if (n <= 0) break;
    letti.append(blocco, static_cast<size_t>(n));
    if (std::optional<testata> t = esamina(letti, esaminati, righe)) return *t;
  }
  return testata::assente;
}

}  // namespace

servitore_vista::servitore_vista() {
  new_task_queue = [] { return new httplib::ThreadPool(2 * flussi_massimi); };
  // Taken by the library for the sockets' own timeouts: a send to a client that reads
  // nothing gives up after 5 s.
  set_read_timeout(std::chrono::duration_cast<std::chrono::seconds>(attesa_richiesta));
  set_write_timeout(5s);
  set_payload_max_length(0);  // no request of the view carries a body
}

int servitore_vista::lega_locale(int porta) {
  int legata = porta == 0 ? bind_to_any_port("127.0.0.1") : (bind_to_port("127.0.0.1", porta) ? porta : -1);
  if (legata > 0) presa_coda_di_ascolto(svr_sock_, coda_di_ascolto);
  return legata;
}

bool cliente_andato() { return presa_servita != INVALID_SOCKET && presa_chiusa(presa_servita); }

bool servitore_vista::process_and_close_socket(socket_t presa) {
  std::string letti;
  bool servita = false;
  switch (leggi_testata(presa, svr_sock_, letti)) {
    case testata::completa: {
      flusso_connessione flusso(presa, std::move(letti));
      bool chiusa = false;
      presa_servita = presa;
      servita = process_request(flusso, true, chiusa, nullptr);
      presa_servita = INVALID_SOCKET;
      break;
    }
    case testata::troppo_grande: {
      static constexpr char rifiuto[] =
          "HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
      presa_invia(presa, rifiuto, sizeof rifiuto - 1);
      break;
    }
    case testata::assente: break;  // quiet, too slow, or gone
  }
  presa_chiudi(presa);
  return servita;
}
