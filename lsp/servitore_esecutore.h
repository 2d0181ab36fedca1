// Where the loop runs the diagnostics' analyses: off the thread that reads and answers
// the messages, so that a long check never holds a reply back. The loop hands over one
// analysis at a time, and learns of its results through what the analysis itself
// reports; the tests hand in an executor of their own, to hold an analysis back.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class esecutore_analisi {
 public:
  virtual ~esecutore_analisi() = default;
  // Runs `lavoro` once (the loop's own executor on another thread, returning at once).
  virtual void esegui(std::function<void()> lavoro) = 0;
};

// The loop's own: one thread, the jobs in the order given. Its end waits for the job in
// hand; those not begun are dropped.
class esecutore_thread final : public esecutore_analisi {
 public:
  esecutore_thread();
  ~esecutore_thread() override;
  esecutore_thread(const esecutore_thread&) = delete;
  esecutore_thread& operator=(const esecutore_thread&) = delete;

  void esegui(std::function<void()> lavoro) override;

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> lavori_;
  bool fine_ = false;
  std::thread thread_;  // last: it starts once the rest is there
};
