// The live view's socket calls on Windows, through Winsock: listen, select, recv, send,
// closesocket.
#include "platform/presa.h"

#include <winsock2.h>

#include <algorithm>
#include <climits>

namespace {

int al_piu_int(size_t n) { return static_cast<int>(std::min<size_t>(n, INT_MAX)); }

}  // namespace

bool presa_leggibile(presa_rete presa, int millisecondi) {
  fd_set leggibili;
  FD_ZERO(&leggibili);
  FD_SET(static_cast<SOCKET>(presa), &leggibili);
  timeval attesa{millisecondi / 1000, (millisecondi % 1000) * 1000};
  return select(0, &leggibili, nullptr, nullptr, &attesa) > 0;
}

std::ptrdiff_t presa_ricevi(presa_rete presa, char* dove, size_t quanti) {
  return recv(static_cast<SOCKET>(presa), dove, al_piu_int(quanti), 0);
}

std::ptrdiff_t presa_invia(presa_rete presa, const char* da, size_t quanti) {
  return send(static_cast<SOCKET>(presa), da, al_piu_int(quanti), 0);
}

bool presa_chiusa(presa_rete presa) {
  if (!presa_leggibile(presa, 0)) return false;
  char c = 0;
  return recv(static_cast<SOCKET>(presa), &c, 1, MSG_PEEK) <= 0;
}

void presa_coda_di_ascolto(presa_rete presa, int quante) { listen(static_cast<SOCKET>(presa), quante); }

void presa_chiudi(presa_rete presa) {
  shutdown(static_cast<SOCKET>(presa), SD_BOTH);
  closesocket(static_cast<SOCKET>(presa));
}
