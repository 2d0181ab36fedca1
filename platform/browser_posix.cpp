// xdg-open started with no stream of ours (its output would mix with the program's),
// and reaped by a thread of its own, so that it never stays a zombie.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/browser.h"

extern char** environ;

bool apri_nel_browser(const std::string& indirizzo) {
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
  std::string programma = "xdg-open";
  char* argomenti[] = {programma.data(), const_cast<char*>(indirizzo.c_str()), nullptr};
  pid_t figlio = 0;
  int esito = posix_spawnp(&figlio, "xdg-open", &azioni, nullptr, argomenti, environ);
  posix_spawn_file_actions_destroy(&azioni);
  if (esito != 0) return false;
  std::thread([figlio] {
    int stato = 0;
    waitpid(figlio, &stato, 0);
  }).detach();
  return true;
}
