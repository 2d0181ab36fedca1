// A reader thread and a queue; the handling and the writing on the calling thread.
#include "lsp/ciclo.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

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

}  // namespace

int servi_lsp(std::istream& ingresso, std::ostream& uscita, opzioni_lsp opzioni, int attesa_ms, size_t limite,
              bool attendi_lettore) {
  auto c = std::make_shared<coda>();
  std::thread lettore([c, &ingresso, limite] {
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

  servitore_lsp servitore(std::move(opzioni));
  bool alla_fine = false;
  // Diagnostics wait for a pause in the messages, but never longer than this.
  const auto attesa = std::chrono::milliseconds(attesa_ms);
  const auto attesa_massima = 10 * attesa;
  std::chrono::steady_clock::time_point in_attesa_da;
  bool attendeva = false;
  while (!servitore.finito() && !alla_fine) {
    messaggio_letto m;
    {
      std::unique_lock<std::mutex> l(c->m);
      auto c_e = [&] { return !c->messaggi.empty(); };
      if (servitore.in_attesa()) {
        auto ora = std::chrono::steady_clock::now();
        if (!attendeva) in_attesa_da = ora;
        attendeva = true;
        if (ora - in_attesa_da >= attesa_massima || !c->cv.wait_for(l, attesa, c_e)) {
          l.unlock();
          for (const json& j : servitore.pubblica()) scrivi(uscita, j);
          attendeva = false;
          continue;
        }
      } else {
        c->cv.wait(l, c_e);
      }
      m = std::move(c->messaggi.front());
      c->messaggi.pop_front();
    }
    switch (m.esito) {
      case esito_cornice::messaggio:
        for (const json& j : servitore.gestisci(m.corpo)) scrivi(uscita, j);
        break;
      case esito_cornice::fine:
      case esito_cornice::troncato:
        alla_fine = true;
        break;
      default:
        if (std::optional<json> e = servitore.errore_cornice(m.esito)) scrivi(uscita, *e);
    }
  }
  // A reader still blocked on standard input is left to the process's end.
  bool chiusa;
  {
    std::lock_guard<std::mutex> l(c->m);
    chiusa = c->chiusa;
  }
  if (chiusa || attendi_lettore) {
    lettore.join();
  } else {
    lettore.detach();
  }
  return alla_fine ? 0 : servitore.stato_uscita();
}
