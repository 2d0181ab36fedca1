// The live view's socket calls on POSIX systems: listen, poll, recv, send, close.
#include "platform/presa.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A write to a client that has gone fails rather than raising SIGPIPE.
#ifdef MSG_NOSIGNAL
constexpr int senza_segnale = MSG_NOSIGNAL;
#else
constexpr int senza_segnale = 0;
#endif

}  // namespace

bool presa_leggibile(presa_rete presa, int millisecondi) {
  pollfd p{presa, POLLIN, 0};
  int pronti = 0;
  do {
    pronti = poll(&p, 1, millisecondi);
  } while (pronti < 0 && errno == EINTR);
  return pronti > 0;
}

std::ptrdiff_t presa_ricevi(presa_rete presa, char* dove, size_t quanti) {
  ssize_t letti = 0;
  do {
    letti = recv(presa, dove, quanti, 0);
  } while (letti < 0 && errno == EINTR);
  return letti;
}

std::ptrdiff_t presa_invia(presa_rete presa, const char* da, size_t quanti) {
  ssize_t scritti = 0;
  do {
    scritti = send(presa, da, quanti, senza_segnale);
  } while (scritti < 0 && errno == EINTR);
  return scritti;
}

bool presa_chiusa(presa_rete presa) {
  if (!presa_leggibile(presa, 0)) return false;
  char c = 0;
  ssize_t n = recv(presa, &c, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

void presa_coda_di_ascolto(presa_rete presa, int quante) { listen(presa, quante); }

void presa_chiudi(presa_rete presa) {
  shutdown(presa, SHUT_RDWR);
  close(presa);
}
