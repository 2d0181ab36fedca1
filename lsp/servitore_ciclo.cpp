// The loop: a reader thread and a queue; the handling and the writing on the calling
// thread; the diagnostics' analyses on the executor's, their results back through the
// same queue.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "lsp/servitore.h"

namespace {

// What the loop waits on: the reader's messages, and the results of the analysis in
// hand, each pair's as it is done, then its end.
struct coda {
  std::mutex m;
  std::condition_variable cv;
  std::deque<messaggio_letto> messaggi;
  bool chiusa = false;
  std::deque<esito_coppia> esiti;
  bool analisi_finita = false;
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

// The pause an analysis waits for: no message for `attesa`, but never longer than
// `attesa_massima` in all.
struct pausa {
  std::chrono::milliseconds attesa, attesa_massima;
  std::chrono::steady_clock::time_point in_attesa_da;
  bool attendeva = false;
};

class ciclo {
 public:
  ciclo(servitore_lsp& servitore, std::shared_ptr<coda> c, esecutore_analisi& esecutore, std::ostream& uscita,
        int attesa_ms)
      : servitore_(servitore), coda_(std::move(c)), esecutore_(esecutore), uscita_(uscita),
        // Diagnostics wait for a pause in the messages, but never longer than ten of them.
        pausa_{std::chrono::milliseconds(attesa_ms), 10 * std::chrono::milliseconds(attesa_ms), {}, false} {}

  // Until `exit` or the end of the input; true at the end of the input.
  bool esegui() {
    while (!servitore_.finito()) {
      std::unique_lock<std::mutex> l(coda_->m);
      switch (attendi(l)) {
        case evento::esiti:
          pubblica_esiti(l);
          break;
        case evento::analisi:
          l.unlock();
          avvia_analisi();
          break;
        case evento::messaggio: {
          messaggio_letto m = std::move(coda_->messaggi.front());
          coda_->messaggi.pop_front();
          l.unlock();
          if (tratta(m)) return true;
          break;
        }
      }
    }
    return false;
  }

 private:
  enum class evento { messaggio, esiti, analisi };

  bool ci_sono_esiti() const { return !coda_->esiti.empty() || coda_->analisi_finita; }

  // What comes next: the results of the analysis in hand first, then the messages; an
  // analysis is due once files wait, none is in hand, and the messages pause.
  evento attendi(std::unique_lock<std::mutex>& l) {
    auto pronto = [&] { return ci_sono_esiti() || !coda_->messaggi.empty(); };
    if (!in_corso_ && servitore_.in_attesa()) {
      auto ora = std::chrono::steady_clock::now();
      if (!pausa_.attendeva) pausa_.in_attesa_da = ora;
      pausa_.attendeva = true;
      if (ora - pausa_.in_attesa_da >= pausa_.attesa_massima || !coda_->cv.wait_for(l, pausa_.attesa, pronto)) {
        pausa_.attendeva = false;
        return evento::analisi;
      }
    } else {
      coda_->cv.wait(l, pronto);
    }
    return ci_sono_esiti() ? evento::esiti : evento::messaggio;
  }

  // The analysis of the files waiting, handed to the executor; whatever befalls it, its
  // end is told.
  void avvia_analisi() {
    auto a = std::make_shared<analisi_diagnostiche>(servitore_.prendi_analisi());
    in_corso_ = true;
    esecutore_.esegui([c = coda_, a] {
      try {
        esegui_analisi(*a, [&c](esito_coppia e) {
          std::lock_guard<std::mutex> l(c->m);
          c->esiti.push_back(std::move(e));
          c->cv.notify_one();
        });
      } catch (const std::exception&) {
        // The pairs not done wait for the next change.
      }
      std::lock_guard<std::mutex> l(c->m);
      c->analisi_finita = true;
      c->cv.notify_one();
    });
  }

  // The results that came, published (those still of the newest texts); `l` is held on
  // entry and on return.
  void pubblica_esiti(std::unique_lock<std::mutex>& l) {
    std::deque<esito_coppia> esiti = std::exchange(coda_->esiti, {});
    bool finita = std::exchange(coda_->analisi_finita, false);
    l.unlock();
    for (esito_coppia& e : esiti) {
      for (const json& j : servitore_.concludi(std::move(e))) scrivi(uscita_, j);
    }
    if (finita) in_corso_ = false;
    l.lock();
  }

  // Before shutdown's answer: the analysis in hand finished and published, then what
  // still waits checked here.
  void completa_analisi() {
    std::unique_lock<std::mutex> l(coda_->m);
    while (in_corso_) {
      coda_->cv.wait(l, [&] { return ci_sono_esiti(); });
      pubblica_esiti(l);
    }
    l.unlock();
    for (const json& j : servitore_.pubblica()) scrivi(uscita_, j);
  }

  // One message handled and its answers written; true at the end of the input.
  bool tratta(const messaggio_letto& m) {
    switch (m.esito) {
      case esito_cornice::messaggio: {
        bool arrestato = servitore_.arrestato();
        std::vector<json> risposte = servitore_.gestisci(m.corpo);
        if (!arrestato && servitore_.arrestato()) completa_analisi();
        for (const json& j : risposte) scrivi(uscita_, j);
        return false;
      }
      case esito_cornice::fine:
      case esito_cornice::troncato:
        return true;
      default:
        if (std::optional<json> e = servitore_.errore_cornice(m.esito)) scrivi(uscita_, *e);
        return false;
    }
  }

  servitore_lsp& servitore_;
  std::shared_ptr<coda> coda_;
  esecutore_analisi& esecutore_;
  std::ostream& uscita_;
  pausa pausa_;
  bool in_corso_ = false;  // an analysis is in hand
};

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
              bool attendi_lettore, esecutore_analisi* esecutore) {
  auto c = std::make_shared<coda>();
  std::thread lettore = avvia_lettore(c, ingresso, limite);
  // Its end waits for the analysis in hand, if any, which holds nothing of the session.
  std::optional<esecutore_thread> proprio;
  if (esecutore == nullptr) esecutore = &proprio.emplace();
  servitore_lsp servitore(std::move(opzioni));
  bool alla_fine = ciclo(servitore, c, *esecutore, uscita, attesa_ms).esegui();
  congeda(*c, lettore, attendi_lettore);
  return alla_fine ? 0 : servitore.stato_uscita();
}
