// The loop's thread for the analyses: a queue of jobs and one thread that takes them.
#include "lsp/servitore_esecutore.h"

#include <utility>

esecutore_thread::esecutore_thread()
    : thread_([this] {
        std::unique_lock<std::mutex> l(m_);
        while (true) {
          cv_.wait(l, [this] { return fine_ || !lavori_.empty(); });
          if (fine_) return;
          std::function<void()> lavoro = std::move(lavori_.front());
          lavori_.pop_front();
          l.unlock();
          lavoro();
          l.lock();
        }
      }) {}

esecutore_thread::~esecutore_thread() {
  {
    std::lock_guard<std::mutex> l(m_);
    fine_ = true;
  }
  cv_.notify_one();
  thread_.join();
}

void esecutore_thread::esegui(std::function<void()> lavoro) {
  {
    std::lock_guard<std::mutex> l(m_);
    lavori_.push_back(std::move(lavoro));
  }
  cv_.notify_one();
}
