// The live view compiles the route once a refresh: once when it starts, once for every
// save that changes a text (twice when the route stops: the check loads the files once
// more, with recovery), never for a save that leaves the texts as they were.
#ifdef SCENARIO_SERVIZIO_VISTA
#include "view/servizio_vista.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "compiler/compila.h"
#include "platform/piattaforma_prova.h"
#include "sources/testi_sorgenti.h"

namespace {

using namespace std::chrono_literals;

// The compilations run since `prima`, once `attese` have run or five seconds went by,
// and after a pause in which another would have started.
uint64_t compilazioni_da(uint64_t prima, uint64_t attese) {
  for (int i = 0; i < 250 && compilazioni_eseguite() - prima < attese; ++i) std::this_thread::sleep_for(20ms);
  std::this_thread::sleep_for(600ms);
  return compilazioni_eseguite() - prima;
}

TEST(VistaViva, CompilesOnceARefresh) {
  PiattaformaProva p;
  for (const auto& [nome, testo] : sorgenti_incorporate().file) p.scrivi(nome, testo);
  const std::string servizio = nome_file_servizio(linea_incorporata, treno_incorporato);
  const std::string testo = p.leggi(servizio);
  std::string lunga = testo, ferma = testo;
  lunga.replace(lunga.find("stazione,   15300,  4,  500,"), 28, "stazione,   15300,  4,  700,");
  ferma.replace(ferma.find("segnale,  100400,"), 17, "segnale,  100400x,");

  uint64_t prima = compilazioni_eseguite();
  vista_viva vista(p.cartella, {linea_incorporata, treno_incorporato, true, false}, 0);
  EXPECT_EQ(compilazioni_eseguite() - prima, 1u) << "the first data";
  struct caso {
    const char* cosa;
    const std::string& salvato;
    uint64_t compilazioni;
  };
  for (const caso& c : {caso{"a station made longer", lunga, 1}, caso{"saved again unchanged", lunga, 0},
                        caso{"a signal's position that is no number", ferma, 2}, caso{"put back", testo, 1}}) {
    prima = compilazioni_eseguite();
    p.scrivi(servizio, c.salvato);
    EXPECT_EQ(compilazioni_da(prima, c.compilazioni), c.compilazioni) << c.cosa;
  }
}

}  // namespace
#endif
