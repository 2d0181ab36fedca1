#include "platform/osservatore_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/piattaforma_prova.h"
#include "platform/sistema_file.h"

namespace {

using namespace std::chrono_literals;

struct caso {
  const char* nome;
  std::function<void(PiattaformaProva&)> azione;
  bool visto;
};

// Each way a file is saved or goes, with the system's watcher and with the one that
// looks in turn; a change to another file of the folder is not one of the watched.
TEST(OsservatoreFile, SeesEveryWayOfSavingAndOnlyTheWatchedNames) {
  const caso casi[] = {
      {"written in place", [](PiattaformaProva& p) { p.scrivi("linea.txt", "second text, longer"); }, true},
      {"replaced by a rename",
       [](PiattaformaProva& p) {
         p.scrivi(".linea.txt.swp", "saved by rename, longer");
         sistema::sostituisci(p.percorso(".linea.txt.swp"), p.percorso("linea.txt"));
       },
       true},
      {"deleted and created",
       [](PiattaformaProva& p) {
         sistema::elimina(p.percorso("servizio.txt"));
         p.scrivi("servizio.txt", "created again, longer");
       },
       true},
      {"deleted", [](PiattaformaProva& p) { sistema::elimina(p.percorso("servizio.txt")); }, true},
      {"another file", [](PiattaformaProva& p) { p.scrivi("altro.txt", "not watched"); }, false},
  };
  for (bool sondaggio : {false, true}) {
    for (const caso& c : casi) {
      PiattaformaProva p;
      p.scrivi("linea.txt", "first");
      p.scrivi("servizio.txt", "first");
      osservatore_file o(p.cartella, {"linea.txt", "servizio.txt"}, sondaggio);
      EXPECT_EQ(o.sonda(), sondaggio) << c.nome;
      c.azione(p);
      EXPECT_EQ(o.aspetta(c.visto ? 5000ms : 300ms), c.visto) << c.nome << (sondaggio ? ", looking in turn" : "");
      // Seen once: the next wait sees nothing new.
      while (o.aspetta(100ms)) {
      }
      EXPECT_FALSE(o.aspetta(150ms)) << c.nome;
      EXPECT_EQ(o.sonda(), sondaggio) << c.nome << ": the system's watcher gave up";
    }
  }
}

}  // namespace
