// Test support for the loop: executors that run the analyses in line or hold them back,
// and an in-process pipe to speak to the loop over while it runs on a thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "lsp/servitore_esecutore.h"

// Each analysis run at once, on the loop's thread: the loop answers as one that checks
// in line would, message for message.
struct esecutore_in_linea : esecutore_analisi {
  void esegui(std::function<void()> lavoro) override { lavoro(); }
};

// Each analysis held back until `libera()` (or, lest a test hang, ten seconds), then run
// on a thread of its own.
class esecutore_trattenuto : public esecutore_analisi {
 public:
  ~esecutore_trattenuto() override {
    libera();
    for (std::thread& t : thread_) t.join();
  }
  void esegui(std::function<void()> lavoro) override {
    thread_.emplace_back([this, lavoro = std::move(lavoro)] {
      {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait_for(l, std::chrono::seconds(10), [this] { return libero_; });
      }
      lavoro();
    });
  }
  void libera() {
    {
      std::lock_guard<std::mutex> l(m_);
      libero_ = true;
    }
    cv_.notify_all();
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  bool libero_ = false;
  std::vector<std::thread> thread_;
};

// An in-process pipe: what one thread writes, another reads, waiting for it; the reader
// sees the end once the pipe is closed, or once nothing has come for ten seconds.
class tubo : public std::streambuf {
 public:
  void chiudi() {
    {
      std::lock_guard<std::mutex> l(m_);
      chiuso_ = true;
    }
    cv_.notify_all();
  }

 protected:
  int_type underflow() override {
    std::unique_lock<std::mutex> l(m_);
    cv_.wait_for(l, std::chrono::seconds(10), [this] { return !dati_.empty() || chiuso_; });
    if (dati_.empty()) return traits_type::eof();
    letti_.swap(dati_);
    dati_.clear();
    setg(letti_.data(), letti_.data(), letti_.data() + letti_.size());
    return traits_type::to_int_type(letti_[0]);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    {
      std::lock_guard<std::mutex> l(m_);
      dati_.append(s, static_cast<size_t>(n));
    }
    cv_.notify_all();
    return n;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      char x = traits_type::to_char_type(c);
      xsputn(&x, 1);
    }
    return traits_type::not_eof(c);
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::string dati_, letti_;
  bool chiuso_ = false;
};
