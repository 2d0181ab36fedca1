// The few calls on a connected socket that the live view's server makes itself, around
// the HTTP library: the length of the queue of connections waiting to be accepted,
// waiting to read, reading, writing, telling whether the client has gone, and closing. Winsock's in presa_windows.cpp, POSIX's in
// presa_posix.cpp; the socket is the library's socket_t.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
using presa_rete = std::uintptr_t;  // SOCKET
#else
using presa_rete = int;
#endif

// Whether something can be read within `millisecondi` (an end of the connection can).
bool presa_leggibile(presa_rete presa, int millisecondi);
// Up to `quanti` bytes into `dove`: how many, 0 at the end of the connection, -1 on a
// failure. Waits when nothing has come.
std::ptrdiff_t presa_ricevi(presa_rete presa, char* dove, size_t quanti);
// Up to `quanti` bytes of `da` sent: how many, or -1 on a failure. Waits at most the
// socket's send timeout.
std::ptrdiff_t presa_invia(presa_rete presa, const char* da, size_t quanti);
// Whether the client has closed its end or the connection has failed; never waits. A
// client that sends something is still there.
bool presa_chiusa(presa_rete presa);
// A listening socket's queue of connections waiting to be accepted made `quante` long,
// where the system takes a new length (Linux does; Windows keeps the first).
void presa_coda_di_ascolto(presa_rete presa, int quante);
// Ends the connection both ways and releases the socket.
void presa_chiudi(presa_rete presa);
