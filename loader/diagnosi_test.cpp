// The loader's sink: where a code, a failure and a warning are placed, and what is kept.
#include "loader/diagnosi.h"

#include <gtest/gtest.h>

#include "loader/lettore_campi.h"
#include "model/guasto_caricamento.h"

namespace {

constexpr const char* campi_pendenza[] = {"its position in metres", "the gradient in per mille"};
const forma_record pendenza{"pendenza", campi_pendenza};

// A sink whose record being read is "pendenza,  300,  5" of L.txt, both values read.
struct prova_pendenza {
  std::vector<diagnostica> lista;
  diagnosi d{lista, false};
  lettore_campi l{"pendenza,  300,  5\r\n"};
  luogo_sorgente chiave, posizione, valore;

  prova_pendenza() {
    d.al_record({"L.txt", 0, 0});
    l.leggi_testo();
    chiave = d.nel_file(l.ultimo_campo().luogo);
    d.al_record(chiave);
    d.con_lettore(&l);
    l.inizia_record(pendenza);
    l.leggi_lungo();
    posizione = d.nel_file(l.ultimo_campo().luogo);
    l.leggi_lungo();
    valore = d.nel_file(l.ultimo_campo().luogo);
  }
};

}  // namespace

TEST(Diagnosi, ACodeStandsAtTheFieldThatHoldsItsValueElseAtTheKeyword) {
  prova_pendenza p;
  struct caso {
    std::optional<int64_t> posizione, in_colpa;
    luogo_sorgente prova_pendenza::*atteso;
  };
  const caso casi[] = {
      {300, std::nullopt, &prova_pendenza::posizione},
      {300, 5, &prova_pendenza::valore},
      {std::nullopt, std::nullopt, &prova_pendenza::chiave},
      {250, std::nullopt, &prova_pendenza::chiave},  // no field holds it as written
  };
  for (const caso& c : casi) {
    p.d.codice(15, c.posizione, {}, c.in_colpa);
    EXPECT_EQ(p.lista.back().luogo, p.*c.atteso);
  }
  // Once another record is being read, the fields read are no longer its own.
  p.d.al_record({"L.txt", 2, 1});
  p.d.codice(15, 300);
  EXPECT_EQ(p.lista.back().luogo, (luogo_sorgente{"L.txt", 2, 1}));
}

// A failure's text is kept whole, whatever bytes it holds: a NUL byte ends no message.
TEST(Diagnosi, AFailureStandsAtItsFieldOrItsRecordAndWarningsCanBeLeftOut) {
  prova_pendenza p;
  const std::string senza_numero("no\0number", 9), troppo_veloce("too\0fast", 8);
  p.d.guasto(guasto_caricamento(senza_numero, std::nullopt, std::nullopt, luogo_sorgente{"", 1, 17, 1, 19}));
  EXPECT_EQ(p.lista.back().luogo, (luogo_sorgente{"L.txt", 1, 17, 1, 19}));
  EXPECT_EQ(p.lista.back().messaggio, senza_numero);
  p.d.guasto(guasto_caricamento(troppo_veloce, luogo_sorgente{"L_T-.txt", 4, 1}, std::nullopt));
  EXPECT_EQ(p.lista.back().luogo, (luogo_sorgente{"L_T-.txt", 4, 1}));
  EXPECT_EQ(p.lista.back().note.at(0).messaggio, troppo_veloce);
  EXPECT_EQ(p.d.record(), (luogo_sorgente{"L_T-.txt", 4, 1}));  // the failure's record is now the one read

  std::vector<diagnostica> nessuna;
  diagnosi senza_avvisi(nessuna, true);
  senza_avvisi.avviso("empty-field", "empty numeric field, read as 0");
  senza_avvisi.troncato(300, 8, "the adhesion");
  EXPECT_TRUE(nessuna.empty());
}
