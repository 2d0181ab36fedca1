// How compile explains each code it records: the place, the meaning and the notes on
// what stands in the way, on small crafted source files.
#include <gtest/gtest.h>

#include "model/nomi_file.h"
#include "tool/strumento_prova.h"

// `scenario_tool compile -w` on small crafted source files: each recorded code is
// explained as FILE:LINE:COLUMN: error: ... [code N], with notes on what stands in the
// way, and a count line ends the text. Line files have their body from line 4, service
// files their records from line 2; every record here starts in column 1.
class Spiegazione : public ::testing::Test {
 protected:
  struct caso {
    std::string linea;     // body of the line file (or the whole file when it has "[generale]")
    std::string servizio;  // records of the service file ("-": no service file)
    int stato;
    std::vector<std::string> errori;
  };

  static std::string linea(const std::string& corpo, int lunghezza = 10000) {
    if (corpo.find("[generale]") != std::string::npos) return corpo;
    return "[generale]\r\nlunghezza percorso,    " + std::to_string(lunghezza) + "\r\n[curve]\r\n" + corpo +
           "[fine]\r\n";
  }

  // A place as printed: line 0 (the file as a whole) is shown as line 1.
  // Appended a piece at a time: `":" + std::to_string(riga)` gives GCC 12 a false
  // -Wrestrict warning in optimised builds.
  std::string luogo(const char* nome, int riga, int colonna = 1) const {
    std::string l = percorso_in(p.percorso("src"), nome);
    l += ':';
    l += std::to_string(riga ? riga : 1);
    l += ':';
    l += std::to_string(colonna);
    return l;
  }
  std::string L(int riga, int colonna = 1) const { return luogo("L_linea.txt", riga, colonna); }
  std::string S(int riga, int colonna = 1) const { return luogo("L_T-.txt", riga, colonna); }
  // The route length's value in the line files here: the note on the grid's end.
  std::string lunghezza() const { return L(2, 24) + ": note: " + griglia; }
  const std::string griglia =
      "the route length of 10000 m gives a track grid to 17000 m (cells 0 to 340): a position may be at most "
      "16900 m, a station's 16200 m";

  void verifica(const caso& k) {
    std::filesystem::remove_all(p.percorso("src"));
    std::filesystem::create_directories(p.percorso("src"));
    if (k.linea != "-") p.scrivi("src/L_linea.txt", linea(k.linea));
    if (k.servizio != "-") p.scrivi("src/L_T-.txt", "[generale]\r\n" + k.servizio + "[fine]\r\n");
    esito_strumento e = esegui_strumento(
        {"compile", "-w", "--write-on-error", "--line", "L", "--train", "T", p.percorso("src"), p.percorso("out")});
    std::vector<std::string> attese = k.errori;
    if (!attese.empty()) attese.push_back("1 errors, 0 warnings");
    EXPECT_EQ(e.stato, k.stato) << k.errori.at(0);
    EXPECT_EQ(righe_di(e.errori), attese);
    EXPECT_EQ(e.uscita.rfind("codice_errore=", 0), 0u) << e.uscita;
  }

  static std::string stazione(int p, int tipo, int l, const std::string& nome) {
    return "stazione,  " + std::to_string(p) + ",  " + std::to_string(tipo) + ",  " + std::to_string(l) +
           ",  0, 0, 0,  1,1,0,  4,1,1,  0,  0,0,0, " + nome + "\r\n";
  }
  static std::string segnale(int p) {
    return "segnale,  " + std::to_string(p) + ",  2, 3, 1,  1, 0,  0,  0,0,0, 0\r\n";
  }
  static std::string indicatore(int p) {
    return "indicatori_vmax,  " + std::to_string(p) + ",  140,  145,  155,  0,  ,  ,  ,  0\r\n";
  }

  PiattaformaProva p;
  const std::string segnale_43 = "the cell at 2150 m (cell 43) holds a signal";
  const std::string descritto = "a speed-indicator board (A 140, B 145, C 155 km/h)";
};

TEST_F(Spiegazione, CodesOfTheLineFile) {
  for (const caso& k : std::vector<caso>{
           {"-", "", 2, {L(0) + ": error: line description file not found [code 101]", L(0) + ": note: no track grid: nothing is compiled"}},
           {"[generale] is not here\r\n",
            "",
            2,
            {L(0) + ": error: no [generale] in the line description file [code 102]", L(0) + ": note: no track grid: nothing is compiled"}},
           {"[generale]\r\nlunghezza percorso,  2000000\r\n[curve]\r\n",
            "",
            2,
            {L(2) + ": error: route length above 1000000 m [code 1]", L(2) + ": note: the route length is 2000000 m",
             L(2) + ": note: no track grid: nothing is compiled"}},
           {"[generale]\r\nlunghezza percorso,  10000\r\n- remark\r\nripetizione segnali 9 codici,  675,  2000\r\n",
            "",
            1,
            {L(4) + ": error: cab-signalling start not a multiple of 50 [code 3]",
             L(4) + ": note: cab signalling from 675 m to 2000 m"}},
           {"[generale]\r\nlunghezza percorso,  10000\r\nripetizione segnali 9 codici,  650,  2010\r\n",
            "",
            1,
            {L(3) + ": error: cab-signalling end not a multiple of 50 [code 4]",
             L(3) + ": note: cab signalling from 650 m to 2010 m"}},
           {"[generale]\r\nlunghezza percorso,  10000\r\nripetizione segnali codici,  650,  2000\r\n",
            "",
            1,
            {L(3) + ": error: cab-signalling key holds neither 4 nor 9 [code 5]"}},
           {indicatore(800) + "cartello_indicatore,  800,  (A)\r\n",
            "",
            1,
            {L(5, 23) + ": error: signboard on an occupied cell, at 800 m [code 6]", L(4) + ": note: the cell at 850 m (cell 17) holds " + descritto}},
           {"cartello_indicatore,  800,  (A)\r\n" + indicatore(800),
            "",
            1,
            {L(5, 19) + ": error: speed-indicator board on an occupied cell, at 800 m [code 21]",
             L(4) + ": note: the cell at 850 m (cell 17) holds the signboard \"(A)\" (entry 80)"}},
           {"pendenza,  0,  0\r\npendenza,  20000,  1\r\n",
            "",
            1,
            {L(5, 12) + ": error: a position lies beyond the track grid, at 20000 m [code 15]", lunghezza()}},
           {"curvad,  1000,  500\r\n",
            "",
            1,
            {L(4) + ": error: curve key without a class digit 1 to 6, or the plan beyond metre 1000000 [code 103]",
             L(4) + ": note: the curve key holds none of the digits 1 to 6"}},
           {"[generale]\r\nlunghezza percorso,  1000000\r\n[curve]\r\ncurvas4,  999000,  2000\r\n",
            "",
            1,
            {L(4) + ": error: curve key without a class digit 1 to 6, or the plan beyond metre 1000000 [code 103]",
             L(4) + ": note: the plan has reached metre 1000000"}},
           {"pendenza,  100,  2x\r\n",
            "",
            1,
            {L(4, 18) + ": error: the 3rd field of pendenza, the gradient in per mille, must be a whole number; found "
                        "\"2x\" [code 25]"}},
       }) {
    verifica(k);
  }
}

TEST_F(Spiegazione, CodesOfTheServiceFileRecords) {
  std::string cartelli;
  for (int i = 0; i < 77; ++i) cartelli += "cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ",  (B)\r\n";
  for (const caso& k : std::vector<caso>{
           {"[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica uno,  1025,  0,  0\r\n[curve]\r\n",
            "",
            1,
            {L(3) + ": error: a kilometre post's position or value is not a multiple of 50 [code 2]",
             L(3) + ": note: kilometre-post entry 81 holds position 1025 m and value 0"}},
           {"",
            stazione(2125, 4, 200, "A"),
            1,
            {S(2, 12) + ": error: station reference point not a multiple of 50, at 2125 m [code 8]"}},
           {"", stazione(2100, 4, 550, "A"), 1, {S(2, 23) + ": error: station length not a multiple of 100, at 2100 m [code 9]"}},
           {cartelli,
            stazione(100, 27, 100, "A") + stazione(9000, 27, 100, "B"),
            1,
            {S(3) + ": error: the stations have reached the signboard entries of the table [code 10]",
             S(3) + ": note: stations fill entries 1 to 2 and signboards entries 4 to 80 of the table"}},
           {"",
            "sabbia,  1\r\n" + stazione(16500, 4, 200, "A"),
            1,
            {S(3, 12) + ": error: a position lies beyond the track grid, at 16500 m [code 15]", lunghezza()}},
           {"",
            stazione(1000, 4, 200, "A") + stazione(1400, 4, 200, "B"),
            1,
            {S(3, 12) + ": error: station area begins less than 350 m after the previous one ends, at 1400 m [code 22]",
             S(2) + ": note: station 1, A occupies 900 to 1100 m, and station 2, B begins at 1300 m"}},
           {"",
            stazione(0, 4, 100, "A"),
            1,
            {S(2) + ": error: stopping station's area ends at or before 100 m [code 24]",
             S(2) + ": note: station 1, A: its area ends at 50 m"}},
           {"",
            "-",
            1,
            {S(0) + ": error: the source files could not be loaded [code 25]",
             S(0) + ": note: L_T-.txt: No such file or directory"}},  // read into memory, not from the disk
           {"",
            "\r\nsabbia\r\n  40000\r\n",
            1,
            {S(3, 7) + ": error: sabbia ends after its 1st field: the 2nd field of sabbia, the sand value, must be a "
                       "whole number from -32768 to 32767; found 40000 on line 4 [code 25]"}},
       }) {
    verifica(k);
  }
}

// An object that finds its cell taken: the note names what holds it.
TEST_F(Spiegazione, CodesOfAnOccupiedCellNameWhatHoldsIt) {
  for (const caso& k : std::vector<caso>{
           {"",
            segnale(2100) + "abbattimento,  2150,  270\r\n",
            1,
            {S(3, 16) + ": error: code reduction on an occupied cell, at 2150 m [code 7]", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(1500) + stazione(2100, 4, 500, "CASTELNUOVO") + segnale(2250),
            1,
            {S(4, 11) + ": error: signal on an occupied cell, at 2250 m [code 16]",
             S(3) + ": note: the cell at 2300 m (cell 46) holds the stop of station 1, CASTELNUOVO"}},
       }) {
    verifica(k);
  }
}

TEST_F(Spiegazione, CodesOfTheServiceFileSlowdowns) {
  for (const caso& k : std::vector<caso>{
           {"",
            segnale(2100) + "rallentamento,  3300,  40,  300,  0,  0,  0\r\n",
            1,
            {S(3, 17) + ": error: slowdown warning cell occupied, at 3300 m [code 17]", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(2100) + "rallentamento,  2100,  40,  300,  0,  0,  0\r\n",
            1,
            {S(3, 17) + ": error: slowdown start cell occupied, at 2100 m [code 18]", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(2100) + "rallentamento,  1800,  40,  300,  0,  0,  0\r\n",
            1,
            {S(3, 17) + ": error: slowdown end cell occupied, at 1800 m [code 19]", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(2100) + "rallentamento,  3400,  40,  300,  0,  1,  0\r\n",
            1,
            {S(3, 17) + ": error: slowdown approach cell occupied, at 3400 m [code 20]", S(2) + ": note: " + segnale_43}},
       }) {
    verifica(k);
  }
}

TEST_F(Spiegazione, CodesOfThePassesNameTheSignalOrSlowdown) {
  const std::string rallentamento = "rallentamento,  5000,  40,  300,  0,  0,  0\r\n";  // start 101, end 107
  for (const caso& k : std::vector<caso>{
           // A signal in cell 43, a warning board in cell 51, boards in cells 42 and 41.
           {indicatore(2050) + indicatore(2000),
            segnale(2100) + "rallentamento,  3700,  40,  300,  0,  0,  0\r\n",
            1,
            {S(2) +
                 ": error: no free cell for a code point before a signal behind a slowdown warning board, at 2150 m [code 11]",
             S(2) + ": note: " + segnale_43,
             S(3) + ": note: the cell at 2550 m (cell 51), less than 1000 m after the signal, holds the warning board of a 40 km/h slowdown",
             L(4) + ": note: the cell at 2100 m (cell 42), just before the signal, holds " + descritto,
             L(5) + ": note: the cell at 2050 m (cell 41), two cells before the signal, holds " + descritto}},
           // The first group before the start in cell 101: cells 96, 95, 94.
           {indicatore(4750) + indicatore(4700) + indicatore(4650),
            rallentamento,
            1,
            {S(2) + ": error: no free cell for a code point before a slowdown start, at 5050 m [code 12]",
             S(2) + ": note: the cell at 5050 m (cell 101) holds the start of a 40 km/h slowdown",
             L(4) + ": note: the cell at 4800 m (cell 96), 250 m before the start, holds " + descritto,
             L(5) + ": note: the cell at 4750 m (cell 95), 300 m before the start, holds " + descritto,
             L(6) + ": note: the cell at 4700 m (cell 94), 350 m before the start, holds " + descritto}},
           // The second group before the start in cell 101: cells 90, 89, 88.
           {indicatore(4450) + indicatore(4400) + indicatore(4350),
            rallentamento,
            1,
            {S(2) + ": error: no free cell for a code point before a slowdown start, at 5050 m [code 12]",
             S(2) + ": note: the cell at 5050 m (cell 101) holds the start of a 40 km/h slowdown",
             L(4) + ": note: the cell at 4500 m (cell 90), 550 m before the start, holds " + descritto,
             L(5) + ": note: the cell at 4450 m (cell 89), 600 m before the start, holds " + descritto,
             L(6) + ": note: the cell at 4400 m (cell 88), 650 m before the start, holds " + descritto}},
           // Inside a slowdown from cell 101 to 121 the point due in cell 109.
           {indicatore(5350) + indicatore(5400) + indicatore(5450),
            "rallentamento,  5000,  40,  1000,  0,  0,  0\r\n",
            1,
            {S(2) + ": error: no free cell for a code point inside a slowdown or before the first signal after it, "
                    "at 5450 m [code 13]",
             S(2) + ": note: the cell at 5050 m (cell 101) holds the start of a 40 km/h slowdown",
             L(4) + ": note: the cell at 5400 m (cell 108) holds " + descritto,
             L(5) + ": note: the cell at 5450 m (cell 109), where a code point was due, holds " + descritto,
             L(6) + ": note: the cell at 5500 m (cell 110) holds " + descritto}},
           // After the end in cell 107, the signal in cell 111 with cells 110 and 109 taken.
           {indicatore(5450) + indicatore(5400),
            rallentamento + segnale(5500),
            1,
            {S(2) + ": error: no free cell for a code point inside a slowdown or before the first signal after it, "
                    "at 5350 m [code 13]",
             S(2) + ": note: the cell at 5050 m (cell 101) holds the start of a 40 km/h slowdown",
             S(3) + ": note: the cell at 5550 m (cell 111), the first signal after the end, holds a signal",
             L(4) + ": note: the cell at 5500 m (cell 110), just before it, holds " + descritto,
             L(5) + ": note: the cell at 5450 m (cell 109), two cells before it, holds " + descritto}},
       }) {
    verifica(k);
  }
}

TEST_F(Spiegazione, NothingOnStandardErrorWithoutACode) {
  verifica({"", segnale(2100) + stazione(5000, 4, 500, "A"), 0, {}});
}
