// plot and the drawing data of the built-in route, as scenario_tool makes them.
#include <gtest/gtest.h>

#include "decoder/decodifica.h"
#include "drawing/etichette_prova.h"
#include "drawing/grafico.h"
#include "platform/file_servizi.h"
#include "tool/strumento_prova.h"

using Disegno = ScenarioIncorporato;

TEST_F(Disegno, WhatIsDrawnOfTheBuiltInRoute) {
  piano_decodificato piano = decodifica_piano(leggi_file(compilato("_linea.dat")));
  tabella_decodificata tabella = decodifica_tabella(leggi_file(compilato("_brezane.sim")));
  std::vector<cella> griglia = decodifica_griglia(leggi_file(compilato("_brezane.dat")));
  dati_disegno d = estrai_disegno(piano, tabella.voci, griglia);
  EXPECT_EQ(d.lunghezza, 228000);
  EXPECT_EQ(d.piano.size(), 228000u / 50 + 1);  // not the 7000 m of grid beyond the end
  EXPECT_EQ(d.piano[20].metro, 1000);
  EXPECT_EQ(d.piano[20].y, 1000);
  ASSERT_EQ(d.stazioni.size(), 26u);
  EXPECT_EQ(d.stazioni[1].nome, "BIVIO ORSANA");
  EXPECT_FALSE(d.stazioni[1].fermata);  // kind 27
  EXPECT_EQ(d.stazioni[25].metro, 214050);
  EXPECT_EQ(d.segnali.size(), 112u);
  EXPECT_EQ(d.segnali.front(), 2100);
  ASSERT_EQ(d.gallerie.size(), 9u);
  EXPECT_EQ(d.gallerie[0].inizio, 9500);
  EXPECT_EQ(d.gallerie[0].fine, 9550);
  EXPECT_EQ(d.gallerie[2].inizio, 78900);  // 100 m after the one before: kind 3
  EXPECT_EQ(d.gallerie[2].tipo, 3);
  EXPECT_EQ(d.gallerie[0].nome, "");  // no signboard announces it
  EXPECT_EQ(d.gallerie[1].nome, "COLLETTA");
  EXPECT_EQ(d.gallerie[2].nome, "ROVENTINO");
  EXPECT_EQ(d.gallerie[8].nome, "MIRELO");
  EXPECT_EQ(d.fine, 228000);  // nothing stands past the end
  EXPECT_TRUE(oltre_la_fine(d).empty());
  ASSERT_EQ(d.rallentamenti.size(), 4u);
  EXPECT_EQ(d.rallentamenti[0].inizio, 19450);
  EXPECT_EQ(d.rallentamenti[0].fine, 19750);
  EXPECT_EQ(d.rallentamenti[0].valore, 40);
  EXPECT_EQ(d.rallentamenti[3].valore, 80);
  EXPECT_EQ(d.velocita[0].fine, 500);  // 30 km/h up to the record at 500 m
  EXPECT_EQ(d.velocita[0].valore, 30);
  EXPECT_EQ(d.pendenze[0].valore, 0);
  EXPECT_EQ(d.pendenze[1].inizio, 1350);
  EXPECT_EQ(d.pendenze[1].valore, -2);

  // No label covers another, in the plan or over the profile.
  svg s(1600, 1200);
  etichette_disegnate nel_piano, nel_profilo;
  double alto = disegna_piano(s, d, 20, 48, 1560, 460, nel_piano);
  disegna_profilo(s, d, 20, 48 + alto, 1560, nel_profilo);
  EXPECT_EQ(nel_piano.riquadri.size(), 26u);
  EXPECT_EQ(nel_profilo.riquadri.size(), 26u);
  EXPECT_EQ(sovrapposizioni(nel_piano.riquadri), 0);
  EXPECT_EQ(sovrapposizioni(nel_profilo.riquadri), 0);
  for (const riquadro& r : nel_piano.riquadri) EXPECT_LT(r.y1, 48 + alto);
}

TEST_F(Disegno, PlotWritesOnePictureOrSaysWhichFileIsWrong) {
  PiattaformaProva p;
  esito_strumento e = esegui_strumento({"plot", compilati(), "-o", p.percorso("r.svg")});
  ASSERT_EQ(e.stato, 0) << e.errori;
  std::string svg = p.leggi("r.svg");
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  size_t nomi = 0;
  for (size_t i = svg.find(">MIRELO C.</text>"); i != std::string::npos; i = svg.find(">MIRELO C.</text>", i + 1))
    ++nomi;
  EXPECT_EQ(nomi, 2u);  // in the plan and over the profile
  // "-o -" and "--output=-" write the same picture to standard output, and no file "-".
  for (const std::vector<std::string>& a :
       {std::vector<std::string>{"plot", compilati(), "-o", "-"}, {"plot", "--output=-", compilati()}}) {
    e = esegui_strumento(a);
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, svg);
  }
  EXPECT_FALSE(std::filesystem::exists("-"));

  // Without a plan file, the profile alone.
  std::filesystem::create_directories(p.percorso("senza"));
  for (const char* nome : {"_brezane.sim", "_brezane.dat"}) {
    p.scrivi(std::string("senza/QUMA-DORVIA_MIRELO") + nome, leggi_file(compilato(nome)));
  }
  e = esegui_strumento({"plot", p.percorso("senza"), "-o", p.percorso("s.svg")});
  ASSERT_EQ(e.stato, 0) << e.errori;
  EXPECT_NE(p.leggi("s.svg").find("no plan: the scenario was compiled without one"), std::string::npos);

  // A grid cut short: nothing written, the file and offset named.
  p.scrivi("senza/QUMA-DORVIA_MIRELO_brezane.dat", "0123456789abcdefghij");
  e = esegui_strumento({"plot", p.percorso("senza"), "-o", p.percorso("t.svg")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori,
            percorso_in(p.percorso("senza"), "QUMA-DORVIA_MIRELO_brezane.dat") + ": byte 15: cell 1 is cut short: 5 of 15 bytes\n");
  EXPECT_FALSE(p.esiste("t.svg"));
  e = esegui_strumento({"plot", p.percorso("vuota"), "-o", p.percorso("t.svg")});
  EXPECT_EQ(e.stato, 1);
  EXPECT_NE(e.errori.find("QUMA-DORVIA_MIRELO_brezane.sim: " + motivo_assente(true)), std::string::npos) << e.errori;

  for (const std::vector<std::string>& sbagliati : {std::vector<std::string>{"plot", compilati()},
                                                    {"plot", "-o", "x.svg"},
                                                    {"plot", compilati(), "-o"},
                                                    {"plot", "--width", "9", compilati(), "-o", "x.svg"}}) {
    EXPECT_EQ(esegui_strumento(sbagliati).stato, 64);
  }
}

TEST_F(Disegno, WhatStandsPastTheRoutesEndIsFlagged) {
  piano_decodificato piano = decodifica_piano(leggi_file(compilato("_linea.dat")));
  tabella_decodificata tabella = decodifica_tabella(leggi_file(compilato("_brezane.sim")));
  std::vector<cella> griglia = decodifica_griglia(leggi_file(compilato("_brezane.dat")));
  tabella.voci[voce_dati_treno].valore_b = 213000;  // the last station stands at 214050 m, the last signal at 212850
  dati_disegno d = estrai_disegno(piano, tabella.voci, griglia);
  EXPECT_EQ(d.lunghezza, 213000);
  EXPECT_EQ(d.fine, 214550);  // up to the station and 500 m more
  EXPECT_EQ(d.piano.back().metro, 214550);
  EXPECT_EQ(oltre_la_fine(d), std::vector<std::string>{"station MIRELO C. at 214.1 km"});
  std::string svg = grafico_svg(d, "t");
  EXPECT_NE(svg.find(">Past the route's end at 213 km: station MIRELO C. at 214.1 km</text>"), std::string::npos);
  EXPECT_NE(svg.find(">past the route's end</text>"), std::string::npos);  // in the legend
  EXPECT_EQ(
      grafico_svg(estrai_disegno(piano, decodifica_tabella(leggi_file(compilato("_brezane.sim"))).voci, griglia), "t")
          .find("past the route's end"),
      std::string::npos);
}

TEST_F(Disegno, TheLegendListsOnlyWhatIsDrawn) {
  piano_decodificato piano = decodifica_piano(leggi_file(compilato("_linea.dat")));
  tabella_decodificata tabella = decodifica_tabella(leggi_file(compilato("_brezane.sim")));
  std::vector<cella> griglia = decodifica_griglia(leggi_file(compilato("_brezane.dat")));
  auto voce = [](const std::string& svg, const char* testo) {
    return svg.find(std::string("font-size=\"12\" fill=\"#222\">") + testo + "</text>") != std::string::npos;
  };
  std::string con_piano = grafico_svg(estrai_disegno(piano, tabella.voci, griglia), "t");
  for (const char* testo : {"route", "tunnel", "signal", "station, stop", "station, no stop", "slowdown", "adhesion"}) {
    EXPECT_TRUE(voce(con_piano, testo)) << testo;
  }
  // The plan's kilometre marks: every 20 km along the route, 20 to 220.
  size_t segni_km = 0;
  for (size_t i = con_piano.find("font-size=\"9\""); i != std::string::npos;
       i = con_piano.find("font-size=\"9\"", i + 1)) {
    ++segni_km;
  }
  EXPECT_EQ(segni_km, 11u);
  dati_disegno d = estrai_disegno(std::nullopt, tabella.voci, griglia);
  d.rallentamenti.clear();
  std::string senza = grafico_svg(d, "t");
  for (const char* testo : {"route", "station, stop", "station, no stop", "slowdown"}) {
    EXPECT_FALSE(voce(senza, testo)) << testo;
  }
  EXPECT_TRUE(voce(senza, "signal"));  // drawn in the profile's row
  EXPECT_NE(senza.find(">COLLETTA</text>"), std::string::npos);
}
