#include "platform/file_servizi.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <csignal>
#include <chrono>
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
      // The final name, with the temporary one as a detail.
      EXPECT_EQ(e.percorso, p.percorso("a.dat"));
      EXPECT_TRUE(e.motivo.find("(writing the temporary file a.dat.") != std::string::npos) << e.motivo;
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
#ifndef _WIN32
    EXPECT_TRUE(e.motivo.starts_with("No such file or directory (writing the temporary file a.txt.")) << e.motivo;
#endif
    EXPECT_EQ(e.percorso, p.percorso("manca/a.txt"));
    EXPECT_TRUE(e.motivo.ends_with(".tmp~)")) << e.motivo;
  }
  EXPECT_THROW(leggi_file(p.percorso("manca.txt")), errore_file);
  EXPECT_THROW(elimina_file(p.percorso("manca.txt")), errore_file);
  EXPECT_FALSE(esiste_file(p.percorso("cartella")));
  elimina_se_esiste(p.percorso("manca.txt"));
}

// Symbolic links need a privilege on Windows; there the exclusive creation refuses a
// name that any file already holds (sistema_file_windows_test.cpp).
#ifndef _WIN32
TEST(FileServizi, LinksAreNeverWrittenThroughAndLeftoversGo) {
  PiattaformaProva p, altrove;
  altrove.scrivi("vittima", "victim");
  namespace fs = std::filesystem;
  // Links where a killed run's temporary files would be, and in place of a final name.
  for (const char* nome : {"a.dat.tmp~", "a.dat.0123456789abcdef.tmp~", "b.dat"}) {
    fs::create_symlink(altrove.percorso("vittima"), p.percorso(nome));
  }
  sistema::manico m{};
  EXPECT_FALSE(sistema::crea_esclusivo(p.percorso("a.dat.tmp~"), m));
  scrivi_file(p.percorso("a.dat"), "new a");
  scrivi_file(p.percorso("b.dat"), "new b");
  EXPECT_EQ(altrove.leggi("vittima"), "victim");
  EXPECT_FALSE(fs::is_symlink(p.percorso("b.dat")));
  EXPECT_EQ(p.leggi("b.dat"), "new b");

  // Only temporary names of the files named are removed.
  for (const char* nome : {"a.dat.note", "a.dat.0123456789abcdeg.tmp~", "c.dat.0123456789abcdef.tmp~"}) {
    p.scrivi(nome, "keep");
  }
  rimuovi_avanzi(p.cartella, {"a.dat", "b.dat"});
  EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"a.dat", "a.dat.0123456789abcdeg.tmp~", "a.dat.note", "b.dat",
                                                      "c.dat.0123456789abcdef.tmp~"}));
  EXPECT_EQ(altrove.leggi("vittima"), "victim");
}
#endif

TEST(FileServizi, ASetIsReplacedWholeOrNotAtAll) {
  // b's rename fails, with a, n and c on either side of it (n has no earlier file):
  // either a directory that is not empty stands under its name, or its earlier file has
  // been given a second name for the way back and then the written file is gone. Either
  // way the earlier set is whole and no second name stays.
  for (bool cartella : {true, false}) {
    SCOPED_TRACE(cartella ? "a directory under b" : "b's written file gone");
    PiattaformaProva p;
    p.scrivi("a", "old a");
    p.scrivi("c", "old c");
    if (cartella) {
      std::filesystem::create_directory(percorso_di(p.percorso("b")));
      p.scrivi("b/x", "");
    } else {
      p.scrivi("b", "old b");
    }
    auto prova = [&](const std::vector<std::string>& nomi, const std::string& perso) {
      std::vector<std::unique_ptr<file_nuovo>> file;
      std::vector<file_nuovo*> insieme;
      for (const std::string& nome : nomi) {
        file.push_back(std::make_unique<file_nuovo>(p.percorso(nome)));
        file.back()->scrivi("new", 3);
        insieme.push_back(file.back().get());
        if (nome != perso) continue;
        file.back()->chiudi();
        for (const std::string& voce : p.contenuto()) {
          if (voce.starts_with(nome + ".")) elimina_file(p.percorso(voce));
        }
      }
      sostituisci_insieme(insieme);
    };
    try {
      prova({"a", "n", "b", "c"}, cartella ? "" : "b");
      ADD_FAILURE() << "the set was replaced";
    } catch (const errore_file& e) {
      EXPECT_EQ(e.percorso, p.percorso("b"));
    }
    EXPECT_EQ(p.leggi("a"), "old a");
    EXPECT_EQ(p.leggi("c"), "old c");
    if (!cartella) {
      EXPECT_EQ(p.leggi("b"), "old b");
    }
    EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"a", "b", "c"}));

    // Replaced, the earlier files' second names go as well.
    std::vector<std::string> nomi{"a", "n", "c"};
    if (!cartella) nomi.push_back("b");
    prova(nomi, "");
    for (const std::string& nome : nomi) EXPECT_EQ(p.leggi(nome), "new") << nome;
    EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"a", "b", "c", "n"}));
  }
}

TEST(FileServizi, ABoundedReadTakesOnlyASmallEnoughRegularFile) {
  PiattaformaProva p;
  p.scrivi("piccolo", "12345");
  EXPECT_EQ(leggi_file_limitato(p.percorso("piccolo"), 5), "12345");
#ifdef _WIN32
  const char* dispositivo = "NUL";  // the null device, under that name in every directory
#else
  const char* dispositivo = "fifo";
  ASSERT_EQ(mkfifo(p.percorso(dispositivo).c_str(), 0600), 0);
#endif
  std::filesystem::resize_file(percorso_di(p.percorso("piccolo")), 4LL << 30);  // 4 GiB, sparse
  auto inizio = std::chrono::steady_clock::now();
  for (const char* nome : {dispositivo, "piccolo", "."}) {
    try {
      leggi_file_limitato(p.percorso(nome), 1000);
      ADD_FAILURE() << nome << " was read";
    } catch (const errore_file& e) {
      EXPECT_EQ(e.percorso, p.percorso(nome));
      EXPECT_NE(e.motivo, "");
    }
  }
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(1));
}

#ifndef _WIN32
// A named pipe (as /dev/null, a device) given as the output to write is written into, not
// replaced by a file of that name. As a file of the program's own it is refused, with no
// reader waited for.
TEST(FileServizi, APipeOrADeviceIsWrittenIntoNotReplaced) {
  PiattaformaProva p;
  ASSERT_EQ(mkfifo(p.percorso("tubo").c_str(), 0600), 0);
  try {
    scrivi_file(p.percorso("tubo"), "la pagina");
    ADD_FAILURE() << "a FIFO was written as a file";
  } catch (const errore_file& e) {
    EXPECT_EQ(e.what(), p.percorso("tubo") + ": not a regular file");
  }
  // The reading end, open first so that the write does not wait for a reader.
  int lettura = open(p.percorso("tubo").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(lettura, 0);
  scrivi_uscita(p.percorso("tubo"), "la pagina");
  char buffer[64] = {};
  ssize_t n = read(lettura, buffer, sizeof buffer);
  close(lettura);
  std::string letto(buffer, n > 0 ? static_cast<size_t>(n) : 0);
  EXPECT_EQ(letto, "la pagina");
  EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(p.percorso("tubo"))));
  EXPECT_EQ(p.contenuto(), std::vector<std::string>{"tubo"});
}
#endif

// A run killed while it replaced a set leaves a journal; the next run puts the folder
// back to one whole set. Each case is a state a kill can leave: which files hold the
// new content ("N"), which temporary files and backups are still there.
TEST(FileServizi, AJournalLeftByAKilledRunEndsInOneWholeSet) {
  struct caso {
    const char* stato;  // per member a, b, c: 'o' not yet renamed, 'n' renamed, 'r' put back
    const char* atteso;
  };
  const std::vector<caso> casi = {
      {"ooo", "old"}, {"noo", "old"}, {"nno", "old"}, {"nnn", "new"}, {"roo", "old"}, {"rro", "old"},
  };
  for (const caso& c : casi) {
    PiattaformaProva p;
    std::string giornale("genera_scenario journal 1\n");
    for (int i = 0; i < 3; ++i) {
      std::string nome(1, static_cast<char>('a' + i));
      std::string temporaneo = nome + ".0123456789abcdef.tmp~", riserva = nome + ".fedcba9876543210.tmp~";
      // c had no earlier file.
      bool prima = i != 2;
      char s = c.stato[i];
      if (prima && s != 'n') p.scrivi(nome, "old");
      if (prima && s != 'r') p.scrivi(riserva, "old");
      if (s == 'o') p.scrivi(temporaneo, "new");
      if (s == 'n') p.scrivi(nome, "new");
      giornale += nome + '\0' + temporaneo + '\0' + (prima ? riserva : "") + '\0';
    }
    p.scrivi(nome_giornale, giornale + "end\n");
    p.scrivi("a.0000000000000000.tmp~", "a leftover");
    rimuovi_avanzi(p.cartella, {"a", "b", "c"});
    if (std::string(c.atteso) == "old") {
      EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"a", "b"})) << c.stato;
      EXPECT_EQ(p.leggi("a") + p.leggi("b"), "oldold") << c.stato;
    } else {
      EXPECT_EQ(p.contenuto(), (std::vector<std::string>{"a", "b", "c"})) << c.stato;
      EXPECT_EQ(p.leggi("a") + p.leggi("b") + p.leggi("c"), "newnewnew") << c.stato;
    }
  }
}

// A journal that cannot be read keeps every file it might name.
TEST(FileServizi, ADamagedJournalKeepsEveryBackup) {
  PiattaformaProva p;
  p.scrivi(nome_giornale, "something else");
  p.scrivi("a.0123456789abcdef.tmp~", "old");
  try {
    rimuovi_avanzi(p.cartella, {"a"});
    ADD_FAILURE() << "a damaged journal was taken";
  } catch (const errore_file& e) {
    EXPECT_EQ(e.percorso, p.percorso(nome_giornale));
  }
  EXPECT_EQ(p.leggi("a.0123456789abcdef.tmp~"), "old");
}

// A second holder says once that it waits, and gives up at its limit.
TEST(FileServizi, TheLockSaysThatItWaitsAndGivesUpAtItsLimit) {
  PiattaformaProva p;
  blocco_cartella primo(p.cartella);
  int detto = 0;
  try {
    blocco_cartella secondo(p.cartella, [&] { ++detto; }, std::chrono::milliseconds(1500));
    ADD_FAILURE() << "a second holder took the lock";
  } catch (const errore_file& e) {
    EXPECT_EQ(e.percorso, p.cartella);
    EXPECT_EQ(e.motivo, "another run is still writing this folder; gave up after 1 s");
  }
  EXPECT_EQ(detto, 1);
}
