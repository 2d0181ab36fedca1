// The Win32 file primitives where Windows differs from POSIX: the exclusive creation
// under a taken name, the directory lock held by one holder at a time, and the
// replacement of a file that another program holds open or that is read-only.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/file_servizi.h"
#include "platform/piattaforma_prova.h"
#include "platform/sistema_file.h"
#include "platform/testo_windows.h"

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

// b of the set {a, b} is held open by another program that shares its deletion (a virus
// scanner, say): b's earlier file gets its second name, but the system refuses the
// rename onto b while it is held, so the rename is tried again. Let go within the wait,
// b is replaced; held past the wait, the set fails naming b. A read-only b gets the
// system's own reason instead, as no wait makes it writable (Wine refuses a read-only
// file only while it is held as well). A failed set leaves the earlier one whole, and
// no second name stays either way.
TEST(SistemaFileWindows, ATargetHeldOpenIsTriedAgainUntilTheWaitEnds) {
  struct caso {
    const char* nome;
    bool lasciato_presto;  // let go a quarter into the wait, or held until the set ends
    bool sola_lettura;
    std::string motivo;  // empty when the set is replaced
  };
  const caso casi[] = {
      {"let go within the wait", true, false, ""},
      {"held past the wait", false, false, "another program holds the file open"},
      {"read-only", false, true, motivo_sistema(ERROR_ACCESS_DENIED)},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    PiattaformaProva p;
    p.scrivi("a", "old a");
    p.scrivi("b", "old b");
    std::wstring b = in_utf16(p.percorso("b"));
    if (c.sola_lettura) {
      ASSERT_TRUE(SetFileAttributesW(b.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    HANDLE tenuto = CreateFileW(b.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(tenuto, INVALID_HANDLE_VALUE);
    {
      std::jthread lascia;
      if (c.lasciato_presto) {
        lascia = std::jthread([&] {
          std::this_thread::sleep_for(std::chrono::milliseconds(500));
          CloseHandle(std::exchange(tenuto, INVALID_HANDLE_VALUE));
        });
      }
      file_nuovo nuovo_a(p.percorso("a")), nuovo_b(p.percorso("b"));
      nuovo_a.scrivi("new a", 5);
      nuovo_b.scrivi("new b", 5);
      try {
        sostituisci_insieme({&nuovo_a, &nuovo_b});
        EXPECT_EQ(c.motivo, "") << "replaced";
      } catch (const errore_file& e) {
        EXPECT_EQ(e.percorso, p.percorso("b"));
        EXPECT_EQ(e.motivo, c.motivo);
      }
    }
    if (tenuto != INVALID_HANDLE_VALUE) CloseHandle(tenuto);
    SetFileAttributesW(b.c_str(), FILE_ATTRIBUTE_NORMAL);
    bool sostituito = c.motivo.empty();
    EXPECT_EQ(p.leggi("a"), sostituito ? "new a" : "old a");
    EXPECT_EQ(p.leggi("b"), sostituito ? "new b" : "old b");
    EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"a", "b"}));
  }
}
