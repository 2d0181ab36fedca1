// The live view's server bounds a request's headers: up to 100 lines and 32 KiB in all
// they are answered; more lines get 431, and more bytes are refused before they are
// all read.
#ifdef SCENARIO_SERVIZIO_VISTA
#include "view/connessioni_vista.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

TEST(ConnessioniVista, AnswersARequestOnlyWithinItsBoundsOfHeaders) {
  servitore_vista server;
  server.Get("/", [](const httplib::Request&, httplib::Response& r) { r.set_content("ok", "text/plain"); });
  int porta = server.bind_to_any_port("127.0.0.1");
  ASSERT_GT(porta, 0);
  std::thread ascolta([&] { server.listen_after_bind(); });
  struct caso {
    const char* cosa;
    int testate;        // headers added to the client's own few
    size_t lunghezza;   // bytes of each one's value
    bool risposta;      // answered 200, else 431
  };
  for (const caso& c : {caso{"a plain request", 0, 0, true}, caso{"90 headers", 90, 1, true},
                        caso{"110 headers", 110, 1, false}, caso{"four of 7.5 KiB", 4, 7680, true},
                        caso{"five of 7.5 KiB", 5, 7680, false}}) {
    httplib::Headers testate;
    for (int i = 0; i < c.testate; ++i) testate.emplace("X-Prova-" + std::to_string(i), std::string(c.lunghezza, 'a'));
    httplib::Client cliente("127.0.0.1", porta);
    httplib::Result r = cliente.Get("/", testate);
    // Refused, the rest of a request may be left unread: its client may see the
    // connection reset before it reads the 431.
    EXPECT_EQ(r ? r->status : 431, c.risposta ? 200 : 431) << c.cosa;
  }
  server.stop();
  ascolta.join();
}

}  // namespace
#endif
