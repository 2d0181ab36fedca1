// scenario_tool view compiles the route once a run: the page's data and its list of
// diagnostics come from one compilation. After a stop the check loads the files once
// more, with recovery, as check does, to find what lies after the stop.
#include <gtest/gtest.h>

#include "compiler/compila.h"
#include "platform/piattaforma_prova.h"
#include "sources/testi_sorgenti.h"
#include "tool/strumento_prova.h"

namespace {

TEST(ComandoView, CompilesTheRouteOnceARun) {
  struct caso {
    const char* cosa;
    bool ferma;  // a signal's position that is no number stops the load
    uint64_t compilazioni;
  };
  for (const caso& c : {caso{"a route that compiles", false, 1}, caso{"a route that stops", true, 2}}) {
    PiattaformaProva p;
    for (auto [nome, testo] : sorgenti_incorporate().file) {
      if (c.ferma && nome == nome_file_servizio(linea_incorporata, treno_incorporato)) {
        testo.replace(testo.find("segnale,  100400,"), 17, "segnale,  100400x,");
      }
      p.scrivi(nome, testo);
    }
    uint64_t prima = compilazioni_eseguite();
    esito_strumento e = esegui_strumento({"view", p.cartella, "-o", p.percorso("view.html")});
    EXPECT_EQ(e.stato, 0) << c.cosa << ": " << e.errori;
    EXPECT_EQ(compilazioni_eseguite() - prima, c.compilazioni) << c.cosa;
  }
}

}  // namespace
