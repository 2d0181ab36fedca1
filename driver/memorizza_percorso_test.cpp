#include <gtest/gtest.h>

#include "driver/corsa_prova.h"

namespace {

const char* const file_compilati[] = {"L_linea.dat", "L_T.sim", "L_T.dat"};

}  // namespace

class MemorizzaPercorso : public ProvaCorsa {
 protected:
  // Writes the sources and runs the compiler driver on a new form; true when it ended the run.
  bool compila(const std::string& testo_linea, const std::string& testo_servizio = servizio_vuoto, int32_t j = 1) {
    p.scrivi(file_linea, testo_linea);
    p.scrivi(file_servizio, testo_servizio);
    nuovo_form();
    try {
      form.memorizza_percorso(j);
    } catch (const fine_programma&) {
      return true;
    }
    return false;
  }
  size_t dimensione(const char* nome) const { return p.leggi(nome).size(); }
};

TEST_F(MemorizzaPercorso, WritesTheThreeFilesWithStampsAndChecksums) {
  ASSERT_FALSE(compila(linea("pendenza,  0,  2\r\n")));
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(dimensione("L_linea.dat"), 20u * 17000 - 36);
  EXPECT_EQ(dimensione("L_T.sim"), 87u * 34 + 2);
  EXPECT_EQ(dimensione("L_T.dat"), 15u * 341);
  EXPECT_EQ(v(85).intero_a, 610);
  EXPECT_EQ(v(85).valore_d, 35746);  // weighted, over "tl" and the filler
  EXPECT_EQ(c(1).dato1, 5121);
  EXPECT_EQ(c(1).dato2, 2738);
  std::string griglia = p.leggi("L_T.dat");
  EXPECT_EQ(griglia.substr(16, 4), std::string("\x01\x14\xB2\x0A", 4));
  EXPECT_EQ(griglia[13], 102);  // cell 0's gradient
  EXPECT_FALSE(resta_linea());
  EXPECT_FALSE(resta_servizio());
}

TEST_F(MemorizzaPercorso, ReplacesEarlierFilesAndKeepsThePlanWithoutIt) {
  p.scrivi("L_T.dat", std::string(100000, 'x'));
  p.scrivi("L_linea.dat", "earlier plan");
  ASSERT_FALSE(compila(linea(""), servizio_vuoto, 0));
  EXPECT_EQ(dimensione("L_T.dat"), 15u * 341);
  EXPECT_EQ(p.leggi("L_linea.dat"), "earlier plan");
  EXPECT_FALSE(form.compilatore.richiesta.con_tracciato);
}

TEST_F(MemorizzaPercorso, ClearsTheTableBeforeLoading) {
  nuovo_form();
  form.compilatore.esito.scenario.tabella[40].testo = "stale";
  form.compilatore.esito.scenario.tabella[85].valore_d = 7;
  form.compilatore.esito.diagnostiche.push_back(errore_registrato(99, std::nullopt, {}, {}));
  p.scrivi(file_linea, linea(""));
  p.scrivi(file_servizio, servizio_vuoto);
  form.memorizza_percorso(1);
  EXPECT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(v(40).testo, "");
}

TEST_F(MemorizzaPercorso, RecordedCodesStillWriteTheFiles) {
  ASSERT_FALSE(compila(linea("pendenza,  20000,  1\r\n")));
  EXPECT_EQ(esito.codice_errore(), 15);
  for (const char* nome : file_compilati) EXPECT_TRUE(p.esiste(nome)) << nome;
}

TEST_F(MemorizzaPercorso, NoGridNothingWritten) {
  ASSERT_FALSE(compila(linea("", 2000000)));
  EXPECT_EQ(esito.codice_errore(), 1);
  EXPECT_TRUE(esito.scenario.griglia.empty());
  for (const char* nome : file_compilati) EXPECT_FALSE(p.esiste(nome)) << nome;
}

TEST_F(MemorizzaPercorso, TakenHeaderSlotsEndTheRunBeforeAnyFile) {
  // A board at 0 m stands in cell 1 and leaves its first integer there.
  EXPECT_TRUE(compila(linea("indicatori_vmax,  0,  140,  145,  155,  0,  ,  ,  ,  0\r\n")));
  EXPECT_EQ(p.messaggi, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_EQ(v(85).intero_a, 0);
  // One that leaves only the second integer: the first stamps are made, then 1251.
  EXPECT_TRUE(compila(linea("indicatori_vmax,  0,  0,  145,  155,  0,  ,  ,  ,  0\r\n")));
  EXPECT_EQ(p.messaggi.back(), " Errore n. 1251");
  EXPECT_EQ(v(85).intero_a, 610);
  EXPECT_EQ(c(1).dato1, 5121);
  // Pass A puts a code point in cell 1 for a signal in cell 3 whose cell 2 is taken.
  // (The signal's approach marks would fall before cell 0, so the load itself ends
  // with 25 once its cell is written; the grid exists and the passes run.)
  EXPECT_TRUE(compila(linea("indicatori_vmax,  50,  0,  0,  0,  0,  ,  ,  ,  0\r\n"),
                      servizio("rallentamento,   1600,    40,  300, 0,  1,  0\r\n"
                               "segnale,    100,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n")));
  EXPECT_EQ(esito.codice_errore(), 25);
  EXPECT_EQ(p.messaggi.back(), " Errore n. 1250");
  EXPECT_EQ(c(1).tipo, punto_codice);
  for (const char* nome : file_compilati) EXPECT_FALSE(p.esiste(nome)) << nome;
}
