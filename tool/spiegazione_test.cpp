#include <gtest/gtest.h>

#include "tool/strumento_prova.h"

// `scenario_tool compile` on small crafted source files: each recorded code is explained
// as FILE:LINE: error CODE: ..., with notes on what stands in the way. Line files have
// their body from line 4, service files their records from line 2.
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

  // "FILE:LINE" of a source file, or the file alone for line 0. Appended a piece at a
  // time: `":" + std::to_string(riga)` gives GCC 12 a false -Wrestrict warning in
  // optimised builds.
  std::string luogo(const char* nome, int riga) const {
    std::string l = percorso_in(p.percorso("src"), nome);
    if (riga != 0) {
      l += ':';
      l += std::to_string(riga);
    }
    return l;
  }
  std::string L(int riga) const { return luogo("L_linea.txt", riga); }
  std::string S(int riga) const { return luogo("L_T-.txt", riga); }

  void verifica(const caso& k) {
    std::filesystem::remove_all(p.percorso("src"));
    std::filesystem::create_directories(p.percorso("src"));
    if (k.linea != "-") p.scrivi("src/L_linea.txt", linea(k.linea));
    if (k.servizio != "-") p.scrivi("src/L_T-.txt", "[generale]\r\n" + k.servizio + "[fine]\r\n");
    esito_strumento e =
        esegui_strumento({"compile", "--line", "L", "--train", "T", p.percorso("src"), p.percorso("out")});
    EXPECT_EQ(e.stato, k.stato) << k.errori.at(0);
    EXPECT_EQ(righe_di(e.errori), k.errori);
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
  const std::string segnale_43 = "cell 43 holds a signal";
  const std::string descritto = "a speed-indicator board (A 140, B 145, C 155 km/h)";
};

TEST_F(Spiegazione, CodesOfTheLineFile) {
  const std::string griglia =
      "the track grid has cells 0 to 340: a position may be at most 16900 m, a station's 16200 m";
  for (const caso& k : std::vector<caso>{
           {"-", "", 2, {L(0) + ": error 101: line description file not found; no track grid, nothing compiled"}},
           {"[generale] is not here\r\n",
            "",
            2,
            {L(0) + ": error 102: no [generale] in the line description file; no track grid, nothing compiled"}},
           {"[generale]\r\nlunghezza percorso,  2000000\r\n[curve]\r\n",
            "",
            2,
            {L(2) + ": error 1: route length above 1000000 m; no track grid, nothing compiled",
             L(2) + ": note: the route length is 2000000 m"}},
           {"[generale]\r\nlunghezza percorso,  10000\r\n- remark\r\nripetizione segnali 9 codici,  675,  2000\r\n",
            "",
            1,
            {L(4) + ": error 3: cab-signalling start not a multiple of 50",
             L(4) + ": note: cab signalling from 675 m to 2000 m"}},
           {"[generale]\r\nlunghezza percorso,  10000\r\nripetizione segnali 9 codici,  650,  2010\r\n",
            "",
            1,
            {L(3) + ": error 4: cab-signalling end not a multiple of 50",
             L(3) + ": note: cab signalling from 650 m to 2010 m"}},
           {"[generale]\r\nlunghezza percorso,  10000\r\nripetizione segnali codici,  650,  2000\r\n",
            "",
            1,
            {L(3) + ": error 5: cab-signalling key holds neither 4 nor 9"}},
           {indicatore(800) + "cartello_indicatore,  800,  (A)\r\n",
            "",
            1,
            {L(5) + ": error 6: signboard on an occupied cell, at 800 m", L(4) + ": note: cell 17 holds " + descritto}},
           {"cartello_indicatore,  800,  (A)\r\n" + indicatore(800),
            "",
            1,
            {L(5) + ": error 21: speed-indicator board on an occupied cell, at 800 m",
             L(4) + ": note: cell 17 holds the signboard \"(A)\" (entry 80)"}},
           {"pendenza,  0,  0\r\npendenza,  20000,  1\r\n",
            "",
            1,
            {L(5) + ": error 15: a position lies beyond the track grid, at 20000 m", L(5) + ": note: " + griglia}},
           {"curvad,  1000,  500\r\n",
            "",
            1,
            {L(4) + ": error 103: curve key without a class digit 1 to 6, or the plan beyond metre 1000000",
             L(4) + ": note: the curve key holds none of the digits 1 to 6"}},
           {"[generale]\r\nlunghezza percorso,  1000000\r\n[curve]\r\ncurvas4,  999000,  2000\r\n",
            "",
            1,
            {L(4) + ": error 103: curve key without a class digit 1 to 6, or the plan beyond metre 1000000",
             L(4) + ": note: the plan has reached metre 1000000"}},
           {"pendenza,  100,  2x\r\n",
            "",
            1,
            {L(4) + ": error 25: the source files could not be loaded", L(4) + ": note: line 4: a number is due"}},
       }) {
    verifica(k);
  }
}

TEST_F(Spiegazione, CodesOfTheServiceFile) {
  const std::string griglia =
      "the track grid has cells 0 to 340: a position may be at most 16900 m, a station's 16200 m";
  std::string cartelli;
  for (int i = 0; i < 77; ++i) cartelli += "cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ",  (B)\r\n";
  for (const caso& k : std::vector<caso>{
           {"[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica uno,  1025,  0,  0\r\n[curve]\r\n",
            "",
            1,
            {L(3) + ": error 2: a kilometre post's position or value is not a multiple of 50",
             L(3) + ": note: kilometre-post entry 81 holds position 1025 m and value 0"}},
           {"",
            segnale(2100) + "abbattimento,  2150,  270\r\n",
            1,
            {S(3) + ": error 7: code reduction on an occupied cell, at 2150 m", S(2) + ": note: " + segnale_43}},
           {"",
            stazione(2125, 4, 200, "A"),
            1,
            {S(2) + ": error 8: station reference point not a multiple of 50, at 2125 m"}},
           {"", stazione(2100, 4, 550, "A"), 1, {S(2) + ": error 9: station length not a multiple of 100, at 2100 m"}},
           {cartelli,
            stazione(100, 27, 100, "A") + stazione(9000, 27, 100, "B"),
            1,
            {S(3) + ": error 10: the stations have reached the signboard entries of the table",
             S(3) + ": note: stations fill entries 1 to 2 and signboards entries 4 to 80 of the table"}},
           {"",
            "sabbia,  1\r\n" + stazione(16500, 4, 200, "A"),
            1,
            {S(3) + ": error 15: a position lies beyond the track grid, at 16500 m", S(3) + ": note: " + griglia}},
           {"",
            segnale(1500) + stazione(2100, 4, 500, "CASTELNUOVO") + segnale(2250),
            1,
            {S(4) + ": error 16: signal on an occupied cell, at 2250 m",
             S(3) + ": note: cell 46 holds the stop of station 1, CASTELNUOVO"}},
           {"",
            segnale(2100) + "rallentamento,  3300,  40,  300,  0,  0,  0\r\n",
            1,
            {S(3) + ": error 17: slowdown warning cell occupied, at 3300 m", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(2100) + "rallentamento,  2100,  40,  300,  0,  0,  0\r\n",
            1,
            {S(3) + ": error 18: slowdown start cell occupied, at 2100 m", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(2100) + "rallentamento,  1800,  40,  300,  0,  0,  0\r\n",
            1,
            {S(3) + ": error 19: slowdown end cell occupied, at 1800 m", S(2) + ": note: " + segnale_43}},
           {"",
            segnale(2100) + "rallentamento,  3400,  40,  300,  0,  1,  0\r\n",
            1,
            {S(3) + ": error 20: slowdown approach cell occupied, at 3400 m", S(2) + ": note: " + segnale_43}},
           {"",
            stazione(1000, 4, 200, "A") + stazione(1400, 4, 200, "B"),
            1,
            {S(3) + ": error 22: station area begins less than 350 m after the previous one ends, at 1400 m",
             S(2) + ": note: station 1, A occupies 900 to 1100 m, and station 2, B begins at 1300 m"}},
           {"",
            stazione(0, 4, 100, "A"),
            1,
            {S(2) + ": error 24: stopping station's area ends at or before 100 m",
             S(2) + ": note: station 1, A: its area ends at 50 m"}},
           {"",
            "-",
            1,
            {S(0) + ": error 25: the source files could not be loaded",
             S(0) + ": note: " + percorso_in(p.percorso("out"), "L_T-.txt") + ": " + motivo_assente()}},
           {"",
            "\r\nsabbia\r\n  40000\r\n",
            1,
            {S(3) + ": error 25: the source files could not be loaded",
             S(3) + ": note: line 4: 40000 does not fit 16 bits"}},
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
                 ": error 11: no free cell for a code point before a signal behind a slowdown warning board, at 2150 m",
             S(2) + ": note: " + segnale_43,
             S(3) + ": note: cell 51, less than 1000 m after the signal, holds the warning board of a 40 km/h slowdown",
             L(4) + ": note: cell 42, just before the signal, holds " + descritto,
             L(5) + ": note: cell 41, two cells before the signal, holds " + descritto}},
           // The first group before the start in cell 101: cells 96, 95, 94.
           {indicatore(4750) + indicatore(4700) + indicatore(4650),
            rallentamento,
            1,
            {S(2) + ": error 12: no free cell for a code point before a slowdown start, at 5050 m",
             S(2) + ": note: cell 101 holds the start of a 40 km/h slowdown",
             L(4) + ": note: cell 96, 250 m before the start, holds " + descritto,
             L(5) + ": note: cell 95, 300 m before the start, holds " + descritto,
             L(6) + ": note: cell 94, 350 m before the start, holds " + descritto}},
           // Inside a slowdown from cell 101 to 121 the point due in cell 109.
           {indicatore(5350) + indicatore(5400) + indicatore(5450),
            "rallentamento,  5000,  40,  1000,  0,  0,  0\r\n",
            1,
            {S(2) + ": error 13: no free cell for a code point inside a slowdown or before the first signal after it, "
                    "at 5450 m",
             S(2) + ": note: cell 101 holds the start of a 40 km/h slowdown",
             L(4) + ": note: cell 108 holds " + descritto,
             L(5) + ": note: cell 109, where a code point was due, holds " + descritto,
             L(6) + ": note: cell 110 holds " + descritto}},
           // After the end in cell 107, the signal in cell 111 with cells 110 and 109 taken.
           {indicatore(5450) + indicatore(5400),
            rallentamento + segnale(5500),
            1,
            {S(2) + ": error 13: no free cell for a code point inside a slowdown or before the first signal after it, "
                    "at 5350 m",
             S(2) + ": note: cell 101 holds the start of a 40 km/h slowdown",
             S(3) + ": note: cell 111, the first signal after the end, holds a signal",
             L(4) + ": note: cell 110, just before it, holds " + descritto,
             L(5) + ": note: cell 109, two cells before it, holds " + descritto}},
       }) {
    verifica(k);
  }
}

TEST_F(Spiegazione, NothingOnStandardErrorWithoutACode) {
  verifica({"", segnale(2100) + stazione(5000, 4, 500, "A"), 0, {}});
}
