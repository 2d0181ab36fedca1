// The whole built-in run, in-process on a temporary directory.
#include <gtest/gtest.h>

#include "driver/form1.h"
#include "platform/piattaforma_prova.h"

namespace {

const char* const nomi_documenti[] = {"QUMA-DORVIA_MIRELO_brezane_note.txt",
                                      "QUMA-DORVIA_MIRELO_brezane_rallentamenti.txt",
                                      "QUMA-DORVIA_MIRELO_brezane_scheda_treno.txt"};

}  // namespace

class CorsaIncorporata : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    p = new PiattaformaProva;
    form = new Form1(*p);
    form->Form_Load();
  }
  static void TearDownTestSuite() {
    delete form;
    delete p;
  }
  static const cella& c(int k) { return form->compilatore.esito.scenario.griglia.at(static_cast<size_t>(k)); }
  static const voce& v(int i) { return form->compilatore.esito.scenario.tabella.at(static_cast<size_t>(i)); }

  static PiattaformaProva* p;
  static Form1* form;
};

PiattaformaProva* CorsaIncorporata::p = nullptr;
Form1* CorsaIncorporata::form = nullptr;

TEST_F(CorsaIncorporata, CompilesWithoutAnyRecordedCode) {
  EXPECT_EQ(p->finestre, std::vector<std::string>{"Attendere"});
  EXPECT_TRUE(p->messaggi.empty());
  EXPECT_EQ(form->compilatore.esito.codice_errore(), 0);
  EXPECT_EQ(form->compilatore.esito.scenario.n_celle, 4700);
  EXPECT_EQ(form->compilatore.esito.scenario.lunghezza_griglia, 235000);
  std::vector<std::string> attesi = {nomi_documenti[0], nomi_documenti[1], nomi_documenti[2],
                                     "QUMA-DORVIA_MIRELO_brezane.dat", "QUMA-DORVIA_MIRELO_brezane.sim",
                                     "QUMA-DORVIA_MIRELO_linea.dat"};
  std::sort(attesi.begin(), attesi.end());
  EXPECT_EQ(p->contenuto(), attesi);  // both source files are gone
}

TEST_F(CorsaIncorporata, TwentySixStationsAndEightSignboards) {
  for (int i = 1; i <= 26; ++i) EXPECT_FALSE(v(i).testo.empty()) << i;
  EXPECT_TRUE(v(27).testo.empty());
  EXPECT_EQ(v(1).codice, 8);
  EXPECT_EQ(v(1).valore_d, 37800);
  EXPECT_EQ(v(26).codice, 6);
  EXPECT_EQ(v(26).valore_c, 214050);
  EXPECT_EQ(v(26).valore_d, 44220);
  const int celle[] = {1560, 1578, 1782, 2292, 2513, 2647, 3117, 3842};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(c(celle[i]).tipo, cella_cartello) << celle[i];
    EXPECT_EQ(c(celle[i]).dato1, 80 - i) << celle[i];
    EXPECT_EQ(v(80 - i).testo.rfind("(GALLERIA", 0), 0u) << v(80 - i).testo;
  }
  EXPECT_TRUE(v(72).testo.empty());
}

TEST_F(CorsaIncorporata, HeaderValuesStampsAndChecksums) {
  EXPECT_EQ(v(84).valore_a, 135);
  EXPECT_EQ(v(84).valore_b, 228000);
  EXPECT_EQ(v(84).valore_c, 12);
  EXPECT_EQ(v(85).testo, "QUMA-DORVIA_MIRELO");
  EXPECT_EQ(v(85).valore_a, 1);
  EXPECT_EQ(v(85).valore_c, 62000);
  EXPECT_EQ(v(85).valore_b, 84000);
  EXPECT_EQ(v(85).intero_a, 610);
  EXPECT_EQ(v(85).valore_d, 33994);
  EXPECT_EQ(v(86).testo, "brezane");
  EXPECT_EQ(v(86).valore_a, 650);
  EXPECT_EQ(v(86).valore_b, 213000);
  EXPECT_EQ(v(86).valore_c, 9);
  EXPECT_EQ(v(86).intero_a, 200);
  EXPECT_EQ(v(86).intero_c, 10);
  EXPECT_EQ(v(86).intero_d, 29);
  EXPECT_EQ(v(86).intero_e, 30);

  std::string griglia = p->leggi("QUMA-DORVIA_MIRELO_brezane.dat");
  ASSERT_EQ(griglia.size(), 70515u);
  EXPECT_EQ(griglia[15], static_cast<char>(c(1).tipo));
  EXPECT_EQ(griglia.substr(16, 4), std::string("\x01\x14\x34\x0A", 4));  // 5121 and 2612
  std::string tabella = p->leggi("QUMA-DORVIA_MIRELO_brezane.sim");
  EXPECT_EQ(p->leggi("QUMA-DORVIA_MIRELO_linea.dat").size(), 4699964u);
  EXPECT_EQ(form->compilatore.esito.scenario.tracciato.metri_posati, 234999);
  // The last two cells' gradient, speed and adhesion stay 0; the route's end holds the last values.
  EXPECT_EQ(c(4697).pendenza, 100);
  EXPECT_EQ(c(4698).pendenza, 0);
  EXPECT_EQ(c(4697).velocita, 95 / 5);
  EXPECT_EQ(c(4698).velocita, 0);
  EXPECT_EQ(c(4697).aderenza, 80);
  EXPECT_EQ(c(4698).aderenza, 0);
}

TEST_F(CorsaIncorporata, CrewDocumentsKeepTheirLineCounts) {
  const size_t righe[] = {7, 47, 66};
  for (int i = 0; i < 3; ++i) {
    std::string testo = p->leggi(nomi_documenti[i]);
    size_t crlf = 0;
    for (size_t o = testo.find("\r\n"); o != std::string::npos; o = testo.find("\r\n", o + 2)) ++crlf;
    EXPECT_EQ(crlf, righe[i]) << nomi_documenti[i];
    EXPECT_EQ(testo.substr(testo.size() - 2), "\r\n");
    EXPECT_EQ(testo.find('\n'), testo.find("\r\n") + 1);
    EXPECT_EQ(testo.find("riferimento fine del file"), std::string::npos);
  }
  std::string note = p->leggi(nomi_documenti[0]);
  EXPECT_NE(note.find("La linea  \xE8, fino"), std::string::npos);
  EXPECT_EQ(note.substr(note.size() - 3), " \r\n");
}
