// The live view's HTTP server: cpp-httplib's, for reading requests and writing answers,
// with each connection held by the view itself, so that the bounds the library leaves
// open (how long a request may take to come, how large its headers may be, how many of
// them, how many connections a stream may hold) are the view's, the same on Linux, where
// the library is a compiled shared library, and on Windows, where it is header-only.
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstddef>

// How many streams (GET /events, one an open page) may be open at once; one more gets
// 503 Service Unavailable.
inline constexpr int flussi_massimi = 32;
// A request's line and headers: they must all have come within this time, in at most so
// many bytes and lines. A connection that is slower or quiet is dropped; one whose
// headers are larger, or more, is answered 431 Request Header Fields Too Large.
inline constexpr std::chrono::milliseconds attesa_richiesta{2000};
inline constexpr size_t testata_massima = 32 * 1024;
inline constexpr size_t righe_massime = 100;
// How many connections may wait to be accepted: a burst of them (a browser's, a page's
// stream with its page) is neither refused nor delayed by a resend of its opening.
// Where the library is header-only (Windows) the build gives it the same number as
// CPPHTTPLIB_LISTEN_BACKLOG; elsewhere lega_locale sets it.
inline constexpr int coda_di_ascolto = 128;

// The server. Every connection carries one request, whose head is read (within the
// bounds above) before the library parses it from memory; its answer ends the
// connection. The library's workers are enough for every stream the server lets open,
// and as many again for the other requests.
class servitore_vista : public httplib::Server {
 public:
  servitore_vista();
  // Listens on 127.0.0.1:`porta` (0: a port the system chooses); the port, or -1.
  int lega_locale(int porta);

 protected:
  bool process_and_close_socket(socket_t presa) override;
};

// Whether the client of the request that this thread is answering has gone: a stream,
// which writes only now and then, learns it at once rather than at its next write.
bool cliente_andato();
