// The system's way of watching on Linux: inotify on the folder, its events filtered by
// name. Other POSIX systems have none here and look at the files in turn.
#include "platform/osservatore_file.h"

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

class osservatore_inotify : public osservatore_file::modo {
 public:
  osservatore_inotify(int fd, std::vector<std::string> nomi) : fd_(fd), nomi_(std::move(nomi)) {}
  ~osservatore_inotify() override { close(fd_); }
  osservatore_inotify(const osservatore_inotify&) = delete;
  osservatore_inotify& operator=(const osservatore_inotify&) = delete;

  esito aspetta(std::chrono::milliseconds limite) override {
    auto fine = std::chrono::steady_clock::now() + limite;
    for (;;) {
      auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      int pronti = poll(&p, 1, static_cast<int>(std::max<int64_t>(0, resto.count())));
      if (pronti < 0 && errno != EINTR) return esito::perso;
      if (pronti > 0) {
        esito e = leggi();
        if (e != esito::niente) return e;
      }
      if (std::chrono::steady_clock::now() >= fine) return esito::niente;
    }
  }

 private:
  // Every event waiting: a change when one of them names a watched file.
  esito leggi() {
    alignas(inotify_event) char buffer[16384];
    esito e = esito::niente;
    for (;;) {
      ssize_t letti = read(fd_, buffer, sizeof buffer);
      if (letti <= 0) return (letti < 0 && errno != EAGAIN && errno != EINTR) ? esito::perso : e;
      for (ssize_t i = 0; i < letti;) {
        const auto* ev = reinterpret_cast<const inotify_event*>(buffer + i);
        if (ev->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) return esito::perso;
        if (ev->mask & IN_Q_OVERFLOW) e = esito::cambiato;  // events were lost: any may have changed
        if (ev->len > 0 && std::find(nomi_.begin(), nomi_.end(), std::string(ev->name)) != nomi_.end()) {
          e = esito::cambiato;
        }
        i += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
      }
    }
  }
  int fd_;
  std::vector<std::string> nomi_;
};

}  // namespace

std::unique_ptr<osservatore_file::modo> osservatore_di_sistema(const std::string& cartella,
                                                               const std::vector<std::string>& nomi) {
  int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return nullptr;
  // Written and closed, written, replaced by a rename, moved away, created, deleted, or
  // its attributes changed (a `touch`); and the folder itself moved or removed.
  uint32_t eventi = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB |
                    IN_DELETE_SELF | IN_MOVE_SELF;
  if (inotify_add_watch(fd, cartella.c_str(), eventi) < 0) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<osservatore_inotify>(fd, nomi);
}

#else

std::unique_ptr<osservatore_file::modo> osservatore_di_sistema(const std::string&, const std::vector<std::string>&) {
  return nullptr;
}

#endif
