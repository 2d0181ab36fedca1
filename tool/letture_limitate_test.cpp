// dump and plot refuse, before reading, what the compiler cannot have written: a FIFO,
// a device, a file larger than the largest of its kind; the largest itself is read.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>

#include "decoder/decodifica.h"
#include "tool/strumento_prova.h"

namespace {

void ridimensiona(const std::string& percorso, uintmax_t byte) { std::filesystem::resize_file(percorso_di(percorso), byte); }

}  // namespace

TEST(LettureLimitate, DumpAndPlotRefuseWhatNoCompilationWrites) {
  PiattaformaProva p;
#ifdef _WIN32
  // The null device, under its name in any directory, stands for the FIFO and the device.
  const std::vector<std::string> dispositivi{p.percorso("NUL")};
#else
  ASSERT_EQ(mkfifo(p.percorso("fifo").c_str(), 0600), 0);
  const std::vector<std::string> dispositivi{p.percorso("fifo"), "/dev/zero"};
#endif
  p.scrivi("grande.dat", "");
  ridimensiona(p.percorso("grande.dat"), 4ULL << 30);  // 4 GiB, sparse
  std::vector<std::string> rifiutati = dispositivi;
  rifiutati.push_back(p.percorso("grande.dat"));
  auto inizio = std::chrono::steady_clock::now();
  for (const char* genere : {"plan", "table", "grid"}) {
    for (const std::string& file : rifiutati) {
      esito_strumento e = esegui_strumento({"dump", "--kind", genere, file});
      EXPECT_EQ(e.stato, 1) << genere << " " << file;
      EXPECT_EQ(e.errori.rfind(file + ": ", 0), 0u) << e.errori;
    }
  }
  // The picture of a directory whose grid is too large.
  ASSERT_EQ(esegui_strumento({"sources", p.percorso("src")}).stato, 0);
  ASSERT_EQ(esegui_strumento({"compile", p.percorso("src"), p.percorso("out")}).stato, 0);
  std::string griglia = percorso_in(p.percorso("out"), "QUMA-DORVIA_MIRELO_brezane.dat");
  ridimensiona(griglia, massimo_byte_griglia + 15);
  esito_strumento e = esegui_strumento({"plot", p.percorso("out"), "-o", p.percorso("a.svg")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori.rfind(griglia + ": ", 0), 0u) << e.errori;
  EXPECT_FALSE(p.esiste("a.svg"));
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(5));

  // A grid of the largest size a route can have is read and decoded.
  ridimensiona(griglia, massimo_byte_griglia);
  EXPECT_EQ(esegui_strumento({"dump", griglia}).stato, 0);
}
