#include "platform/finestra_caricata.h"
#include "platform/finestra_x11.h"

#include <X11/keysym.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "platform/osservatore_prova.h"
#include "platform/piattaforma_prova.h"
#include "platform/xvfb_prova.h"

namespace {

constexpr rettangolo etichetta{64, 64, 177, 53};

bool dentro(const rettangolo& interno, const rettangolo& esterno) {
  return interno.x >= esterno.x && interno.y >= esterno.y &&
         interno.x + interno.larghezza <= esterno.x + esterno.larghezza &&
         interno.y + interno.altezza <= esterno.y + esterno.altezza;
}

// What the observer saw of a message box before closing it.
struct vista_scatola {
  Window finestra = 0;
  Window proprietario = 0;
  std::string titolo;
  size_t pulsanti = 0;
  rettangolo scatola;      // on the screen
  rettangolo pulsante;     // inside the box
  rettangolo testo;        // ink above the button
  rettangolo scritta;      // ink inside the button's edges
};

// Copies genera_scenario and its window module into a directory of their own and runs
// the program there with the given environment before it; returns the exit status and
// fills what it wrote. With `errori_a_nessuno` its standard error goes to /dev/null, as
// from a desktop.
int esegui_programma(const PiattaformaProva& cartella, const std::string& ambiente, std::string& uscita,
                     std::string& errori, bool errori_a_nessuno = false) {
  std::filesystem::copy_file(GENERA_SCENARIO, cartella.percorso("genera_scenario"),
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(GENERA_SCENARIO_X11, cartella.percorso(modulo_finestra),
                             std::filesystem::copy_options::overwrite_existing);
  std::string comando = "cd '" + cartella.cartella + "' && " + ambiente +
                        " ./genera_scenario > uscita.txt 2> " + (errori_a_nessuno ? "/dev/null" : "errori.txt");
  int stato = std::system(comando.c_str());
  uscita = cartella.leggi("uscita.txt");
  errori = errori_a_nessuno ? "" : cartella.leggi("errori.txt");
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

}  // namespace

class FinestraX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.installato) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(server.nome.empty()) << "Xvfb did not start";
    setenv("DISPLAY", server.nome.c_str(), 1);
    osservatore = std::make_unique<Osservatore>(server.nome);
    ASSERT_TRUE(osservatore->aperto());
    errori_x_programma = 0;
    alarm(120);  // a box that never closes ends the test instead of hanging it
  }
  void TearDown() override {
    alarm(0);
    EXPECT_EQ(errori_x_programma, 0) << "X errors on the program's connection";
  }

  std::unique_ptr<Piattaforma> apri() {
    std::unique_ptr<Piattaforma> p = apri_piattaforma_x11(cartella.cartella);
    EXPECT_NE(p, nullptr);
    return p;
  }

  // Waits for the message box, looks at it once it is painted (or after five seconds),
  // and then lets `chiudi` close it.
  vista_scatola guarda_e_chiudi(const std::function<void(Window scatola, Window pulsante)>& chiudi) {
    vista_scatola v;
    v.finestra = osservatore->attendi_scatola();
    if (v.finestra == 0) return v;
    EXPECT_TRUE(osservatore->attendi_fuoco(v.finestra)) << "the box does not take the keyboard";
    std::vector<Window> figli = osservatore->figli(v.finestra);
    v.pulsanti = figli.size();
    v.proprietario = osservatore->proprietario(v.finestra);
    v.titolo = osservatore->titolo(v.finestra);
    v.scatola = osservatore->posto(v.finestra);
    rettangolo sul_schermo = osservatore->posto(figli[0]);
    v.pulsante = {sul_schermo.x - v.scatola.x, sul_schermo.y - v.scatola.y, sul_schermo.larghezza,
                  sul_schermo.altezza};
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
      immagine img = osservatore->guarda(v.finestra);
      unsigned long sfondo = img.at(0, 0);
      v.testo = img.inchiostro(sfondo, {0, 0, img.larghezza, v.pulsante.y});
      v.scritta = img.inchiostro(sfondo, {v.pulsante.x + 3, v.pulsante.y + 3, v.pulsante.larghezza - 6,
                                          v.pulsante.altezza - 6});
    } while ((v.testo.vuoto() || v.scritta.vuoto()) && std::chrono::steady_clock::now() < limite);
    chiudi(v.finestra, figli[0]);
    return v;
  }

  ServerXvfb server;
  std::unique_ptr<Osservatore> osservatore;
  PiattaformaProva cartella;
};

TEST_F(FinestraX11, TheWaitWindowIsPaintedBeforeTheWorkStartsAndGoesAwayAtTheEnd) {
  std::unique_ptr<Piattaforma> p = apri();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->cartella_programma(), cartella.cartella);
  p->mostra_finestra("Attendere");
  // Looked at at once: nothing is waited for after the call returns.
  std::vector<Window> finestre = osservatore->finestre();
  ASSERT_EQ(finestre.size(), 1u);
  Window w = finestre[0];
  rettangolo posto = osservatore->posto(w);
  EXPECT_EQ(posto.larghezza, 280);
  EXPECT_EQ(posto.altezza, 179);
  EXPECT_TRUE(osservatore->figli(w).empty()) << "no controls besides the label";
  EXPECT_EQ(osservatore->titolo(w), "genera_scenario");

  immagine img = osservatore->guarda(w);
  unsigned long sfondo = img.at(0, 0);
  rettangolo testo = img.inchiostro(sfondo, img.tutta());
  ASSERT_FALSE(testo.vuoto()) << "no text drawn";
  EXPECT_TRUE(dentro(testo, etichetta)) << "ink at " << testo.x << "," << testo.y << " " << testo.larghezza << "x"
                                        << testo.altezza;
  // One line of bold text of about 24 points from the label's top left corner.
  EXPECT_LE(testo.x, etichetta.x + 3);
  EXPECT_LE(testo.y, etichetta.y + 12);
  EXPECT_GE(testo.larghezza, 120);
  EXPECT_GE(testo.altezza, 20);
  // Bold: solid black covers a quarter of the text's box (a regular face covers less than a fifth).
  int pieni = 0;
  for (int y = testo.y; y < testo.y + testo.altezza; ++y) {
    for (int x = testo.x; x < testo.x + testo.larghezza; ++x) pieni += img.at(x, y) == 0 ? 1 : 0;
  }
  EXPECT_GE(pieni * 4, testo.larghezza * testo.altezza) << "strokes too thin for a bold face";

  p.reset();
  EXPECT_TRUE(osservatore->finestre().empty());
}

TEST_F(FinestraX11, UnderAWindowManagerTheLabelIsPaintedOnceTheWindowIsShown) {
  std::unique_ptr<Piattaforma> p = apri();
  ASSERT_NE(p, nullptr);
  osservatore->fai_da_gestore();
  std::thread gestore([&] { osservatore->mappa_in_ritardo(std::chrono::milliseconds(300)); });
  p->mostra_finestra("Attendere");
  gestore.join();
  std::vector<Window> finestre = osservatore->finestre();
  ASSERT_EQ(finestre.size(), 1u) << "returned before the window was shown";
  immagine img = osservatore->guarda(finestre[0]);
  rettangolo testo = img.inchiostro(img.at(0, 0), img.tutta());
  EXPECT_FALSE(testo.vuoto()) << "the label was painted before the window was shown";
  EXPECT_TRUE(dentro(testo, etichetta));
}

TEST_F(FinestraX11, TheMessageBoxShowsItsTextAndOneOkButtonAndAClickOnOkClosesIt) {
  std::unique_ptr<Piattaforma> p = apri();
  ASSERT_NE(p, nullptr);
  p->mostra_finestra("Attendere");
  Window principale = osservatore->finestre().at(0);
  bool rimasta_dopo_trascinamento = false;
  vista_scatola v;
  std::thread persona([&] {
    v = guarda_e_chiudi([&](Window scatola, Window pulsante) {
      // Pressed on OK but let go elsewhere: the box stays.
      rettangolo r = osservatore->posto(pulsante);
      osservatore->muovi(r.x + 10, r.y + 10);
      osservatore->premi(true);
      osservatore->muovi(r.x - 30, r.y - 30);
      osservatore->premi(false);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      std::vector<Window> ancora = osservatore->finestre();
      rimasta_dopo_trascinamento = std::find(ancora.begin(), ancora.end(), scatola) != ancora.end();
      osservatore->clicca(pulsante);
    });
  });
  p->mostra_messaggio(" Errore n. 1250");
  persona.join();

  ASSERT_NE(v.finestra, 0u) << "no message box appeared";
  EXPECT_TRUE(rimasta_dopo_trascinamento);
  EXPECT_EQ(v.titolo, "genera_scenario");
  EXPECT_EQ(v.proprietario, principale);
  EXPECT_EQ(v.pulsanti, 1u);
  EXPECT_EQ(v.pulsante.larghezza, 75);
  EXPECT_EQ(v.pulsante.altezza, 23);
  EXPECT_NEAR(v.pulsante.x + v.pulsante.larghezza / 2, v.scatola.larghezza / 2, 1) << "OK is centred";
  // The text is one line above the button, from the left margin: no icon before it.
  ASSERT_FALSE(v.testo.vuoto()) << "no text drawn";
  EXPECT_LT(v.testo.y + v.testo.altezza, v.pulsante.y);
  EXPECT_LE(v.testo.altezza, 16);
  EXPECT_LE(v.testo.x, 24);
  EXPECT_GE(v.testo.larghezza, 60);
  ASSERT_FALSE(v.scritta.vuoto()) << "the button has no caption";
  EXPECT_NEAR(v.scritta.x + v.scritta.larghezza / 2, v.pulsante.x + v.pulsante.larghezza / 2, 2);

  // The box is gone, the program's window is still there.
  EXPECT_EQ(osservatore->finestre(), std::vector<Window>{principale});
}

TEST_F(FinestraX11, ReturnEscapeSpaceAndTheWindowManagersCloseAlsoCloseTheBox) {
  std::unique_ptr<Piattaforma> p = apri();
  ASSERT_NE(p, nullptr);
  p->mostra_finestra("Attendere");
  const std::vector<std::function<void(Window, Window)>> modi = {
      [&](Window, Window) { osservatore->digita(XK_Return); },
      [&](Window, Window) { osservatore->digita(XK_Escape); },
      [&](Window, Window) { osservatore->digita(XK_space); },
      [&](Window scatola, Window) { osservatore->chiedi_chiusura(scatola); },
  };
  for (size_t i = 0; i < modi.size(); ++i) {
    vista_scatola v;
    std::thread persona([&] {
      v = guarda_e_chiudi([&](Window scatola, Window pulsante) {
        osservatore->digita(XK_a);  // any other key leaves it open
        modi[i](scatola, pulsante);
      });
    });
    p->mostra_messaggio(" Errore n. 1251");
    persona.join();
    EXPECT_NE(v.finestra, 0u) << "way " << i;
    EXPECT_EQ(osservatore->finestre().size(), 1u) << "way " << i;
  }
}

TEST_F(FinestraX11, WithoutDesktopFontsTheServersCoreFontsWriteTheLabelAndTheBox) {
  // A font configuration with no fonts in it, as on a desktop that has none installed.
  FcConfig* prima = FcConfigReference(nullptr);
  FcConfig* vuota = FcConfigCreate();
  ASSERT_TRUE(FcConfigSetCurrent(vuota));
  FcConfigDestroy(vuota);
  std::unique_ptr<Piattaforma> p = apri();
  if (p != nullptr) {
    p->mostra_finestra("Attendere");
    Window principale = osservatore->finestre().at(0);
    immagine img = osservatore->guarda(principale);
    rettangolo testo = img.inchiostro(img.at(0, 0), img.tutta());
    EXPECT_FALSE(testo.vuoto()) << "no label text";
    EXPECT_TRUE(dentro(testo, etichetta));
    vista_scatola v;
    std::thread persona([&] { v = guarda_e_chiudi([&](Window, Window pulsante) { osservatore->clicca(pulsante); }); });
    p->mostra_messaggio(" Errore n. 1250");
    persona.join();
    EXPECT_FALSE(v.testo.vuoto()) << "no message text";
    EXPECT_FALSE(v.scritta.vuoto()) << "the button has no caption";
  }
  FcConfigSetCurrent(prima);
  FcConfigDestroy(prima);
}

// The message over the wait window is shown until OK is clicked.
TEST_F(FinestraX11, TheMessageBoxWaitsForOk) {
  std::unique_ptr<Piattaforma> p = apri();
  ASSERT_NE(p, nullptr);
  vista_scatola v;
  std::thread persona([&] { v = guarda_e_chiudi([&](Window, Window pulsante) { osservatore->clicca(pulsante); }); });
  p->mostra_finestra("Attendere");
  p->mostra_messaggio(" Errore n. 1250");
  persona.join();

  EXPECT_NE(v.finestra, 0u) << "no message box appeared";
  p.reset();
  EXPECT_TRUE(osservatore->finestre().empty());
}

TEST_F(FinestraX11, TheProgramUsesTheWindowWhenTheDisplayOpens) {
  std::string uscita, errori;
  EXPECT_EQ(esegui_programma(cartella, "DISPLAY=" + server.nome, uscita, errori), 0) << errori;
  EXPECT_EQ(uscita, "");
  EXPECT_EQ(errori, "");
  EXPECT_TRUE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane.dat"));
  EXPECT_TRUE(osservatore->finestre().empty()) << "the window went away with the run";
}

// A failure whose line no one would read (standard error to /dev/null, as from a
// desktop) is shown in the box too; with standard error in a file, only there.
TEST_F(FinestraX11, AFailureIsShownInTheBoxWhenNoOneReadsStandardError) {
  std::filesystem::create_directory(cartella.percorso("QUMA-DORVIA_MIRELO_brezane_note.txt"));
  vista_scatola v;
  std::thread persona([&] { v = guarda_e_chiudi([&](Window, Window pulsante) { osservatore->clicca(pulsante); }); });
  std::string uscita, errori;
  EXPECT_EQ(esegui_programma(cartella, "DISPLAY=" + server.nome, uscita, errori, true), 2);
  persona.join();
  EXPECT_NE(v.finestra, 0u) << "no message box appeared";
  EXPECT_GE(v.testo.larghezza, 300) << "the box does not hold the failure's line";

  EXPECT_EQ(esegui_programma(cartella, "DISPLAY=" + server.nome, uscita, errori), 2);
  EXPECT_EQ(errori.rfind("genera_scenario: " + cartella.percorso("QUMA-DORVIA_MIRELO_brezane_note.txt"), 0), 0u)
      << errori;
  EXPECT_TRUE(osservatore->finestre().empty());
}

TEST(FinestraX11SenzaDisplay, WithoutADisplayTheProgramWritesToTheTerminal) {
  PiattaformaProva cartella;
  for (const std::string ambiente : {"env -u DISPLAY", "DISPLAY=:9999"}) {
    std::string uscita, errori;
    EXPECT_EQ(esegui_programma(cartella, ambiente, uscita, errori), 0) << ambiente << ": " << errori;
    EXPECT_EQ(uscita, "Attendere\n") << ambiente;
    EXPECT_EQ(errori, "") << ambiente;
    EXPECT_TRUE(cartella.esiste("QUMA-DORVIA_MIRELO_brezane.dat")) << ambiente;
    elimina_file(cartella.percorso("QUMA-DORVIA_MIRELO_brezane.dat"));
  }
}
