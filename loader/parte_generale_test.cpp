#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

using ParteGenerale = ProvaCaricamento;

TEST_F(ParteGenerale, StoresRouteLengthBackgroundsAndCabSignalling) {
  carica(
      "[generale]\r\n"
      "lunghezza percorso,    228000\r\n"
      "progressiva chilometrica uno,    0,    0,    0\r\n"
      "sfondo uno,    1\r\n"
      "sfondo due,    62000\r\n"
      "sfondo tre,    84000\r\n"
      "ripetizione segnali 9 codici,    650,    213000\r\n"
      "[curve]\r\n[fine]\r\n");
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(esito.scenario.lunghezza_griglia, 235000);
  EXPECT_EQ(esito.scenario.n_celle, 4700);
  EXPECT_EQ(esito.scenario.griglia.size(), 4701u);
  EXPECT_EQ(esito.scenario.tracciato.ultimo_metro, 235000);
  EXPECT_EQ(v(84).valore_b, 228000);
  EXPECT_EQ(v(85).valore_a, 1);
  EXPECT_EQ(v(85).valore_c, 62000);  // background 2 in valore_c, background 3 in valore_b
  EXPECT_EQ(v(85).valore_b, 84000);
  EXPECT_EQ(v(85).testo, "L");
  EXPECT_EQ(v(86).testo, "T");
  EXPECT_EQ(v(86).valore_a, 650);
  EXPECT_EQ(v(86).valore_b, 213000);
  EXPECT_EQ(v(86).valore_c, 9);
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}

TEST_F(ParteGenerale, CabSignallingStops) {
  struct caso {
    const char* riga;
    int32_t codice;
    int32_t sistema;
  };
  for (caso k : {caso{"ripetizione segnali 9 codici,  650,  0", 0, 0}, caso{"ripetizione segnali 4 e 9,  650,  700", 0, 4},
                 caso{"ripetizione segnali 9 codici,  675,  700", 3, 0},
                 caso{"ripetizione segnali 9 codici,  650,  725", 4, 0}, caso{"ripetizione segnali,  650,  700", 5, 0}}) {
    carica(std::string("[generale]\r\nlunghezza percorso,  5000\r\n") + k.riga + "\r\n[curve]\r\n[fine]\r\n");
    EXPECT_EQ(esito.codice_errore(), k.codice) << k.riga;
    if (k.codice == 0) {
      EXPECT_EQ(v(86).valore_c, k.sistema) << k.riga;
    }
    EXPECT_FALSE(resta_linea()) << k.riga;
    EXPECT_EQ(resta_servizio(), k.codice != 0) << k.riga;  // a stop leaves the service file unread
  }
}

TEST_F(ParteGenerale, RouteLengthLimits) {
  carica(linea("", 1000000));
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(esito.scenario.n_celle, 20140);

  carica(linea("", 1000001));
  EXPECT_EQ(esito.codice_errore(), 1);
  EXPECT_EQ(v(84).valore_b, 1000001);
  EXPECT_TRUE(esito.scenario.griglia.empty());
  EXPECT_FALSE(resta_linea());
  EXPECT_TRUE(resta_servizio());
}

TEST_F(ParteGenerale, NegativeRouteLengthFailsBeforeAnyGrid) {
  carica(linea("", -50));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_TRUE(esito.scenario.griglia.empty());
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}

TEST_F(ParteGenerale, MissingOrUnmarkedLineFile) {
  carica("");
  EXPECT_EQ(esito.codice_errore(), 101);
  EXPECT_TRUE(resta_servizio());
  EXPECT_EQ(v(85).testo, "L");

  for (const char* testo : {"", "lunghezza percorso, 5000\r\n", "lunghezza percorso, 5000\r\n[generale]"}) {
    carica_entrambi(testo, servizio_vuoto);  // the line file may be empty
    EXPECT_EQ(esito.codice_errore(), 102) << testo;
    EXPECT_FALSE(resta_linea());
    EXPECT_TRUE(resta_servizio());
  }
}

TEST_F(ParteGenerale, HyphenatedFieldsAreDroppedUpToTenInARow) {
  // A remark line, then a hyphenated key whose record is therefore dropped: its value
  // is read in keyword position instead and matches nothing.
  carica(
      "preambolo, ignorato\r\n[generale]\r\n"
      "- una nota senza virgole -\r\n"
      "lunghezza percorso,  5000\r\n"
      "sfondo-uno,  7\r\n"
      "sfondo tre,  3\r\n"
      "SFONDO DUE,  4\r\n"
      "-[curve]\r\n"
      "sfondo uno,  1\r\n"
      "[curve]\r\n"
      "sfondo due,  2\r\n"
      "[fine]\r\n");
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(v(85).valore_a, 1);  // "-[curve]" did not end the general part
  EXPECT_EQ(v(85).valore_b, 3);
  EXPECT_EQ(v(85).valore_c, 0);  // capitals and the body do not count

  // The first hyphenated field and ten more are dropped; a field still hyphenated after
  // that is tested like any other.
  std::string dieci;
  for (int i = 0; i < 10; ++i) dieci += "-\r\n";
  carica("[generale]\r\n" + dieci + "-lunghezza percorso, 5000\r\n[curve]\r\n[fine]\r\n");
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(esito.scenario.n_celle, 240);

  carica("[generale]\r\n" + dieci + "-\r\n-lunghezza percorso, 5000\r\n[curve]\r\n[fine]\r\n");
  EXPECT_TRUE(esito.scenario.griglia.empty());  // one hyphen more: the key is dropped and its value tested
  EXPECT_EQ(esito.codice_errore(), 25);  // so the gradient tail meets no grid
}

TEST_F(ParteGenerale, TenHyphenReadsRunningPastTheEndFail) {
  carica("[generale]\r\nlunghezza percorso, 5000\r\n-\r\n-\r\n-");
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}
