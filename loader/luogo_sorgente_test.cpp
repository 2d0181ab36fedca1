#include <gtest/gtest.h>

#include "loader/caricamento_prova.h"

// Where a code is recorded: the file, line and column of the field that holds the
// value at fault in the record being handled, else of its keyword, with a note on what
// was in the way; and the record that laid each cell's object.
class LuogoSorgente : public ProvaCaricamento {
 protected:
  const diagnostica& ultimo_errore() const {
    for (auto d = esito.diagnostiche.rbegin(); d != esito.diagnostiche.rend(); ++d) {
      if (d->livello == gravita::errore) return *d;
    }
    throw std::logic_error("no error recorded");
  }
  void atteso(int32_t codice, const std::string& file, int riga, int colonna = -1) {
    EXPECT_EQ(esito.codice_errore(), codice);
    const diagnostica& d = ultimo_errore();
    EXPECT_EQ(d.codice, codice);
    EXPECT_EQ(d.luogo.file, file);
    EXPECT_EQ(d.luogo.riga, riga);
    if (colonna >= 0) {
      EXPECT_EQ(d.luogo.colonna, colonna);
    }
  }
  std::string prima_nota() const { return ultimo_errore().note.at(0).messaggio; }
};

TEST_F(LuogoSorgente, TheKeywordLineOfTheRecordInEitherFile) {
  // Body from line 4. Remarks are counted; a position beyond the grid is shown at
  // its field, even on a line after its keyword's.
  carica(linea("- a remark\r\n-- another\r\n  pendenza\r\n  20000,\r\n  1\r\n"));
  atteso(15, "L_linea.txt", 7, 3);

  // Cab signalling in the general part, after a remark: line 3.
  carica("[generale]\r\n- remark\r\nripetizione segnali 9 codici,  675,  2000\r\n[curve]\r\n[fine]\r\n");
  atteso(3, "L_linea.txt", 3);

  // A refused signal: the service file's line, and the cell that was in the way.
  carica(linea(""), servizio("sabbia,  1\r\nstazione,  2100,  4,  500,  0, 0, 0,  1,1,0,  4,1,1,  1,  0,0,0, S\r\n"
                             "segnale,    2250,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n"));
  atteso(16, "L_T-.txt", 4, 13);  // at its position
  EXPECT_EQ(prima_nota(), "the cell at 2300 m (cell 46) holds the stop of station 1, S");
  EXPECT_EQ(ultimo_errore().note[0].luogo.riga, 3);  // the station's stop cell

  // A slowdown whose end cell is taken names the end cell, not the start; it is shown
  // at the slowdown's position, from which the end is worked out.
  carica(linea(""), servizio("segnale,    3000,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n"
                             "rallentamento,   2000,    40,  1000, 0,  0,  0\r\n"));
  atteso(19, "L_T-.txt", 3, 18);
  EXPECT_EQ(prima_nota(), "the cell at 3050 m (cell 61) holds a signal");
}

TEST_F(LuogoSorgente, CodesRecordedOutsideARecord) {
  carica("", servizio_vuoto);
  atteso(101, "L_linea.txt", 0);
  carica("nothing here\r\n");
  atteso(102, "L_linea.txt", 0);
  // The service file is missing: a failure of the whole load, named after that file.
  carica(linea(""), "");
  atteso(25, "L_T-.txt", 0);
  EXPECT_EQ(prima_nota(), "L_T-.txt: No such file or directory");
  // A value that does not fit, on the line after its record: placed just after the
  // record's last field, and the reader's own words say all.
  carica(linea(""), servizio("\r\nsabbia\r\n 40000\r\n"));
  atteso(25, "L_T-.txt", 3);
  EXPECT_EQ(ultimo_errore().luogo.colonna, 7);
  EXPECT_TRUE(ultimo_errore().note.empty());
  EXPECT_EQ(ultimo_errore().messaggio,
            "sabbia ends after its 1st field: the 2nd field of sabbia, the sand value, must be a whole number from "
            "-32768 to 32767; found 40000 on line 4");
}

TEST_F(LuogoSorgente, KilometrePostCheckNamesTheFirstRecordOffTheStep) {
  // "due" (line 4) and "uno" (line 5) are off; ordering by position swaps the records.
  carica(
      "[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica tre,  5000, 0, 0\r\n"
      "progressiva chilometrica due,  1000, 20, 0\r\nprogressiva chilometrica uno,  3025, 0, 0\r\n"
      "[curve]\r\n[fine]\r\n");
  atteso(2, "L_linea.txt", 4);

  // A later record of the same name replaces an earlier one that was off.
  carica(
      "[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica tre,  5025, 0, 0\r\n"
      "progressiva chilometrica tre,  5000, 0, 0\r\nprogressiva chilometrica uno,  3000, 10, 0\r\n"
      "[curve]\r\n[fine]\r\n");
  atteso(2, "L_linea.txt", 5);
}

TEST_F(LuogoSorgente, ALineHalfCodeFifteenIsReplacedWhereTheServiceStops) {
  carica(linea("pendenza,  20000,  1\r\n"),
         servizio("stazione,  2100,  4,  500,  0, 0, 0,  1,1,0,  4,1,1,  1,  0,0,0, S\r\n"
                  "segnale,    5000,   2, 3, 1,  1, 0,    0,  0,0,0, 0\r\n"));
  atteso(15, "L_T-.txt", 3);
  EXPECT_EQ(esito.posizione_errore(), 5000);

  // When the service file loads to its end, the line file's record stays named.
  carica(linea("pendenza,  20000,  1\r\n"), servizio("sabbia,  1\r\n"));
  atteso(15, "L_linea.txt", 4);
}

TEST_F(LuogoSorgente, ObjectsKeepTheLineOfTheirRecord) {
  carica(linea("indicatori_vmax,  800,  140,  145,  155,  0,  ,  ,  ,  0\r\n"
               "cartello_indicatore,  1000,  (A)\r\n"),
         servizio("abbattimento,  3000,  270\r\n"
                  "rallentamento,   5000,    40,  300, 0,  1,  0\r\n"));
  ASSERT_EQ(esito.codice_errore(), 0);
  EXPECT_EQ(esito.origine_celle.at(17).file, "L_linea.txt");
  EXPECT_EQ(esito.origine_celle.at(17).riga, 4);
  EXPECT_EQ(esito.origine_celle.at(21).riga, 5);
  EXPECT_EQ(esito.origine_celle.at(60).file, "L_T-.txt");
  EXPECT_EQ(esito.origine_celle.at(60).riga, 2);
  // The slowdown's start, end, warning and approach cells.
  for (int k : {101, 107, 77, 76, 73}) EXPECT_EQ(esito.origine_celle.at(k).riga, 3) << k;
  EXPECT_EQ(esito.origine_celle.count(72), 0u);
}
