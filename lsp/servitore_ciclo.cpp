// The loop: a reader thread and a queue; the handling and the writing on the calling
// thread.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "lsp/servitore.h"

namespace {

struct coda {
  std::mutex m;
  std::condition_variable cv;
  std::deque<messaggio_letto> messaggi;
  bool chiusa = false;
};

void scrivi(std::ostream& uscita, const json& j) {
  scrivi_messaggio(uscita, j.dump(-1, ' ', false, json::error_handler_t::replace));
}

// The reader: every message of `ingresso` into the queue, up to the end of the stream.
std::thread avvia_lettore(const std::shared_ptr<coda>& c, std::istream& ingresso, size_t limite) {
  return std::thread([c, &ingresso, limite] {
    while (true) {
      messaggio_letto m = leggi_messaggio(ingresso, limite);
      bool fine = m.esito == esito_cornice::fine || m.esito == esito_cornice::troncato;
      {
        std::lock_guard<std::mutex> l(c->m);
        c->messaggi.push_back(std::move(m));
        if (fine) c->chiusa = true;
      }
      c->cv.notify_one();
      if (fine) return;
    }
  });
}

// The pause the diagnostics wait for: no message for `attesa`, but never longer than
// `attesa_massima` in all.
struct pausa {
  std::chrono::milliseconds attesa, attesa_massima;
  std::chrono::steady_clock::time_point in_attesa_da;
  bool attendeva = false;
};

// The next message of the queue; none when the diagnostics waiting are due first.
std::optional<messaggio_letto> prossimo(coda& c, const servitore_lsp& servitore, pausa& p) {
  std::unique_lock<std::mutex> l(c.m);
  auto c_e = [&] { return !c.messaggi.empty(); };
  if (servitore.in_attesa()) {
    auto ora = std::chrono::steady_clock::now();
    if (!p.attendeva) p.in_attesa_da = ora;
    p.attendeva = true;
    if (ora - p.in_attesa_da >= p.attesa_massima || !c.cv.wait_for(l, p.attesa, c_e)) {
      p.attendeva = false;
      return std::nullopt;
    }
  } else {
    c.cv.wait(l, c_e);
  }
  messaggio_letto m = std::move(c.messaggi.front());
  c.messaggi.pop_front();
  return m;
}

// One message handled and its answers written; true at the end of the input.
bool tratta(servitore_lsp& servitore, const messaggio_letto& m, std::ostream& uscita) {
  switch (m.esito) {
    case esito_cornice::messaggio:
      for (const json& j : servitore.gestisci(m.corpo)) scrivi(uscita, j);
      return false;
    case esito_cornice::fine:
    case esito_cornice::troncato:
      return true;
    default:
      if (std::optional<json> e = servitore.errore_cornice(m.esito)) scrivi(uscita, *e);
      return false;
  }
}

// A reader still blocked on standard input is left to the process's end.
void congeda(coda& c, std::thread& lettore, bool attendi_lettore) {
  bool chiusa;
  {
    std::lock_guard<std::mutex> l(c.m);
    chiusa = c.chiusa;
  }
  if (chiusa || attendi_lettore) {
    lettore.join();
  } else {
    lettore.detach();
  }
}

}  // namespace

int servi_lsp(std::istream& ingresso, std::ostream& uscita, opzioni_lsp opzioni, int attesa_ms, size_t limite,
              bool attendi_lettore) {
  auto c = std::make_shared<coda>();
  std::thread lettore = avvia_lettore(c, ingresso, limite);
  servitore_lsp servitore(std::move(opzioni));
  bool alla_fine = false;
  // Diagnostics wait for a pause in the messages, but never longer than ten of them.
  pausa p{std::chrono::milliseconds(attesa_ms), 10 * std::chrono::milliseconds(attesa_ms), {}, false};
  while (!servitore.finito() && !alla_fine) {
    std::optional<messaggio_letto> m = prossimo(*c, servitore, p);
    if (!m) {
      for (const json& j : servitore.pubblica()) scrivi(uscita, j);
      continue;
    }
    alla_fine = tratta(servitore, *m, uscita);
  }
  congeda(*c, lettore, attendi_lettore);
  return alla_fine ? 0 : servitore.stato_uscita();
}
