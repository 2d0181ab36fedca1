// The Win32 file primitives where Windows differs from POSIX: the exclusive creation
// under a taken name, and the directory lock held by one holder at a time.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/piattaforma_prova.h"
#include "platform/sistema_file.h"

TEST(SistemaFileWindows, AnExclusiveCreationRefusesATakenNameAndLeavesItAlone) {
  PiattaformaProva p;
  p.scrivi("file", "kept");
  std::filesystem::create_directory(percorso_di(p.percorso("cartella")));
  sistema::manico m{};
  EXPECT_FALSE(sistema::crea_esclusivo(p.percorso("file"), m));
  EXPECT_FALSE(sistema::crea_esclusivo(p.percorso("cartella"), m));
  EXPECT_EQ(p.leggi("file"), "kept");
  EXPECT_THROW(sistema::crea_esclusivo(p.percorso("manca\\file"), m), errore_file);
}

TEST(SistemaFileWindows, TheDirectoryLockWaitsForItsHolderAndLeavesNothingBehind) {
  PiattaformaProva p;
  std::atomic<bool> preso{false};
  std::thread secondo;
  {
    sistema::blocco_cartella primo(p.cartella);
    secondo = std::thread([&] {
      sistema::blocco_cartella b(p.cartella);
      preso = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(preso) << "a second holder took the lock while the first held it";
  }
  secondo.join();
  EXPECT_TRUE(preso);
  EXPECT_TRUE(p.contenuto().empty()) << "the lock's file stayed";
}
