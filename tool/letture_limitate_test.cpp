// dump and plot refuse, before reading, what the compiler cannot have written: a FIFO,
// a device, a file larger than the largest of its kind; the largest itself is read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "tool/decodifica.h"
#include "tool/strumento_prova.h"

TEST(LettureLimitate, DumpAndPlotRefuseWhatNoCompilationWrites) {
  PiattaformaProva p;
  ASSERT_EQ(mkfifo(p.percorso("fifo").c_str(), 0600), 0);
  p.scrivi("grande.dat", "");
  ASSERT_EQ(truncate(p.percorso("grande.dat").c_str(), 4LL << 30), 0);  // 4 GiB, sparse
  auto inizio = std::chrono::steady_clock::now();
  for (const char* genere : {"plan", "table", "grid"}) {
    for (const std::string& file : {p.percorso("fifo"), p.percorso("grande.dat"), std::string("/dev/zero")}) {
      esito_strumento e = esegui_strumento({"dump", "--kind", genere, file});
      EXPECT_EQ(e.stato, 1) << genere << " " << file;
      EXPECT_EQ(e.errori.rfind(file + ": ", 0), 0u) << e.errori;
    }
  }
  // The picture of a directory whose grid is too large.
  ASSERT_EQ(esegui_strumento({"sources", p.percorso("src")}).stato, 0);
  ASSERT_EQ(esegui_strumento({"compile", p.percorso("src"), p.percorso("out")}).stato, 0);
  std::string griglia = p.percorso("out/QUMA-DORVIA_MIRELO_brezane.dat");
  ASSERT_EQ(truncate(griglia.c_str(), massimo_byte_griglia + 15), 0);
  esito_strumento e = esegui_strumento({"plot", p.percorso("out"), "-o", p.percorso("a.svg")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori.rfind(griglia + ": ", 0), 0u) << e.errori;
  EXPECT_FALSE(p.esiste("a.svg"));
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(5));

  // A grid of the largest size a route can have is read and decoded.
  ASSERT_EQ(truncate(griglia.c_str(), massimo_byte_griglia), 0);
  EXPECT_EQ(esegui_strumento({"dump", griglia}).stato, 0);
}
