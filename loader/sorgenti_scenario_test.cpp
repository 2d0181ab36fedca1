// The source files as the loader reaches them. Read from a folder, a source may be
// 16 MiB, as the docs say: one of exactly that size is read whole and one byte more is
// refused, by either reader, genera_scenario's (the folder itself) and scenario_tool's
// (both files into memory). Texts kept intact are read, and a deletion only hides them.
#include "loader/sorgenti_scenario.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "loader/esito_caricamento.h"
#include "model/nomi_file.h"
#include "platform/percorso.h"
#include "platform/piattaforma_prova.h"

TEST(SorgentiScenario, ASourceOfSixteenMiBIsReadAndOneByteMoreRefused) {
  PiattaformaProva p;
  const std::string nome = nome_file_linea("L");
  const std::function<std::string()> lettori[] = {
      [&] { return sorgenti_su_disco(p.cartella).leggi(nome); },
      [&] { return leggi_sorgenti(p.cartella, richiesta_caricamento{"L", "T", true, false}).file.at(nome); },
  };
  constexpr uintmax_t sedici_mib = 16 * 1024 * 1024;
  p.scrivi(nome, "");
  for (const auto& leggi : lettori) {
    std::filesystem::resize_file(percorso_di(p.percorso(nome)), sedici_mib);  // sparse where it can be
    EXPECT_EQ(leggi().size(), sedici_mib);
    std::filesystem::resize_file(percorso_di(p.percorso(nome)), sedici_mib + 1);
    try {
      leggi();
      ADD_FAILURE() << "a source of 16 MiB and one byte was read";
    } catch (const errore_file& e) {
      EXPECT_EQ(e.motivo, "larger than 16777216 bytes");
    }
  }
}

TEST(SorgentiScenario, IntactTextsAreOnlyHiddenByADeletion) {
  const std::map<std::string, std::string> testi{{"a.txt", "uno"}, {"b.txt", "due"}};
  sorgenti_intatte s(testi);
  EXPECT_EQ(s.leggi("a.txt"), "uno");
  s.elimina("a.txt");
  s.elimina_se_esiste("b.txt");
  s.elimina_se_esiste("c.txt");
  for (const char* nome : {"a.txt", "b.txt", "c.txt"}) {
    EXPECT_FALSE(s.esiste(nome)) << nome;
    EXPECT_THROW(s.leggi(nome), errore_file) << nome;
    EXPECT_THROW(s.elimina(nome), errore_file) << nome;
  }
  EXPECT_EQ(sorgenti_intatte(testi).leggi("a.txt"), "uno");
}
