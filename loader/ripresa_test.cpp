#include "loader/ripresa.h"

#include <gtest/gtest.h>

#include <string>

#include "loader/diagnosi.h"
#include "loader/lettore_campi.h"
#include "model/guasto_caricamento.h"

TEST(Ripresa, OnlyACheckWithAGridAndAFreeTableEntryGoesOnAfterAStop) {
  struct caso {
    bool recupera, griglia;
    voci_prese voci;
    esito_record esito;
    bool prosegue;
    const char* campo_dopo;  // the field read next: after a stop that is survived, the next line's
  };
  const caso casi[] = {
      {false, true, {80, 1}, esito_record::avanti, true, "1"},
      {false, true, {80, 1}, esito_record::fermo, false, "1"},
      {false, true, {80, 1}, esito_record::fuori_griglia, false, "1"},
      {true, true, {80, 1}, esito_record::fermo, true, "b"},
      {true, true, {80, 1}, esito_record::fuori_griglia, true, "b"},
      {true, false, {80, 1}, esito_record::fermo, false, "1"},
      {true, true, {5, 5}, esito_record::fermo, false, "1"},  // no entry left for a later station
  };
  for (const caso& c : casi) {
    scenario_compilato sc;
    if (c.griglia) sc.griglia.resize(3);
    lettore_campi l("a, 1\r\nb, 2\r\n");
    l.leggi_testo();
    EXPECT_EQ(ripresa(c.recupera, sc, c.voci).prosegue(c.esito, l), c.prosegue);
    EXPECT_EQ(l.leggi_testo(), c.campo_dopo);
  }
}

TEST(Ripresa, AFailureThatIsSurvivedIsRecordedAndTheRecordReadStays) {
  scenario_compilato sc;
  sc.griglia.resize(3);
  voci_prese voci;
  const guasto_caricamento guasto("too fast", luogo_sorgente{"L_T-.txt", 4, 1}, std::nullopt);
  for (bool recupera : {false, true}) {
    std::vector<diagnostica> lista;
    diagnosi d(lista, false);
    d.al_record({"L_T-.txt", 9, 1});
    lettore_campi l("a, 1\r\nb, 2\r\n");
    l.leggi_testo();
    EXPECT_EQ(ripresa(recupera, sc, voci).dopo_guasto(guasto, d, l), recupera);
    EXPECT_EQ(lista.size(), recupera ? 1u : 0u);
    EXPECT_EQ(d.record(), (luogo_sorgente{"L_T-.txt", 9, 1}));
    EXPECT_EQ(l.leggi_testo(), recupera ? "b" : "1");
  }
}
