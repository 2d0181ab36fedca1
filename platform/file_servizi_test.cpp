#include "platform/file_servizi.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>

#include "platform/piattaforma_prova.h"

// A full disk is stood in for by a limit on the size of a file, which Windows has not;
// there the failed replacement of a file held open by another program checks that the
// earlier file stays (sistema_file_windows_test.cpp).
#ifndef _WIN32
namespace {

// Runs `passo` with a limit on the size of any file written, as a full disk would set one.
template <typename Passo>
void con_disco_pieno(Passo passo) {
  rlimit vecchio{};
  getrlimit(RLIMIT_FSIZE, &vecchio);
  auto vecchio_segnale = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limite{4096, vecchio.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limite);
  passo();
  setrlimit(RLIMIT_FSIZE, &vecchio);
  std::signal(SIGXFSZ, vecchio_segnale);
}

}  // namespace

TEST(FileServizi, FailedWriteKeepsTheEarlierFileAndLeavesNoTemporary) {
  PiattaformaProva p;
  p.scrivi("a.dat", "earlier");
  bool fallito = false;
  con_disco_pieno([&] {
    try {
      scrivi_file(p.percorso("a.dat"), std::string(100000, 'x'));
    } catch (const errore_file& e) {
      fallito = true;
      EXPECT_EQ(e.percorso, p.percorso("a.dat"));
      EXPECT_FALSE(e.motivo.empty());
    }
  });
  EXPECT_TRUE(fallito);
  EXPECT_EQ(p.leggi("a.dat"), "earlier");
  EXPECT_EQ(p.contenuto(), std::vector<std::string>{"a.dat"});
}
#endif

TEST(FileServizi, FailuresNameTheFileAndTheReason) {
  PiattaformaProva p;
  std::filesystem::create_directory(p.percorso("cartella"));
  EXPECT_THROW(scrivi_file(p.percorso("cartella"), "x"), errore_file);  // a directory stands under that name
  EXPECT_EQ(p.contenuto(), std::vector<std::string>{"cartella"});
  try {
    scrivi_file(p.percorso("manca/a.txt"), "x");
    FAIL() << "a write into a missing directory succeeded";
  } catch (const errore_file& e) {
    EXPECT_EQ(e.motivo, "No such file or directory");
    EXPECT_EQ(std::string(e.what()), p.percorso("manca/a.txt") + ": No such file or directory");
  }
  EXPECT_THROW(leggi_file(p.percorso("manca.txt")), errore_file);
  EXPECT_THROW(elimina_file(p.percorso("manca.txt")), errore_file);
  EXPECT_FALSE(esiste_file(p.percorso("cartella")));
  elimina_se_esiste(p.percorso("manca.txt"));
}
