// The caret lines under diagnostics: each shows the source line it names, whatever the
// order of the diagnostics and of their files.
#include "reference/spiegazione.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

TEST(ScriviDiagnostiche, EachCaretShowsItsOwnSourceLine) {
  const std::map<std::string, std::string> testi{{"a.txt", "uno\r\ndue\ntre\rquattro"}, {"b.txt", "alfa\r\nbeta\r\n"}};
  std::vector<diagnostica> d;
  for (const auto& [file, riga] : {std::pair{"a.txt", 3}, {"a.txt", 1}, {"a.txt", 2}, {"b.txt", 2}, {"a.txt", 4},
                                   {"a.txt", 2}, {"a.txt", 9}, {"a.txt", 2}}) {
    diagnostica x;
    x.livello = gravita::avviso;
    x.nome = "prova";
    x.luogo.file = file;
    x.luogo.riga = x.luogo.riga_fine = riga;
    x.luogo.colonna = 1;
    x.luogo.colonna_fine = 2;
    x.messaggio = "m";
    d.push_back(x);
  }
  std::ostringstream u;
  scrivi_diagnostiche(d, "", formato_diagnostiche::testo, false, u, &testi);
  std::vector<std::string> mostrate;
  std::istringstream righe(u.str());
  const std::regex sorgente(R"( +[0-9]+ \| (.*))");
  std::smatch m;
  for (std::string r; std::getline(righe, r);) {
    if (std::regex_match(r, m, sorgente)) mostrate.push_back(m[1]);
  }
  EXPECT_EQ(mostrate, (std::vector<std::string>{"tre", "uno", "due", "beta", "quattro", "due", "", "due"})) << u.str();
}
