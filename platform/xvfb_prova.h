// Test support for the window layer: a private virtual X server for one test. It picks
// a free display number itself and is ended when the test ends, or when the test
// process dies.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>
#include <string>

class ServerXvfb {
 public:
  ServerXvfb() {
    installato = nel_path("Xvfb");
    if (installato) avvia();
  }
  ~ServerXvfb() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  ServerXvfb(const ServerXvfb&) = delete;
  ServerXvfb& operator=(const ServerXvfb&) = delete;

  bool installato = false;
  std::string nome;  // ":N" once the server is ready; empty when it did not start

 private:
  static bool nel_path(const std::string& programma) {
    const char* path = std::getenv("PATH");
    std::istringstream cartelle(path != nullptr ? path : "");
    std::string cartella;
    while (std::getline(cartelle, cartella, ':')) {
      if (!cartella.empty() && access((cartella + "/" + programma).c_str(), X_OK) == 0) return true;
    }
    return false;
  }

  // Xvfb writes its display number on the pipe once it accepts connections.
  void avvia() {
    int tubo[2];
    if (pipe(tubo) != 0) return;
    std::string fd = std::to_string(tubo[1]);
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      close(tubo[0]);
      int nulla = open("/dev/null", O_WRONLY);
      dup2(nulla, 1);
      dup2(nulla, 2);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(tubo[1]);
    std::string numero;
    pollfd attesa{tubo[0], POLLIN, 0};
    char c;
    while (poll(&attesa, 1, 20000) > 0 && read(tubo[0], &c, 1) == 1 && c != '\n') numero += c;
    close(tubo[0]);
    if (!numero.empty()) nome = ":" + numero;
  }

  pid_t pid_ = -1;
};
