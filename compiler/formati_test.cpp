// compiler/FORMATI.md against the layouts and limits in the code: every size the page
// states for an element or for the largest file of a kind is the constant's value.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "model/disposizione.h"
#include "platform/file_servizi.h"

TEST(Formati, TheSizesOnThePageAreTheConstants) {
  struct caso {
    const char* frase;  // a pattern of the page, one group per number
    std::vector<uint64_t> valori;
  };
  const caso casi[] = {
      {R"(A route is at most (\d+) m long, and its grid and plan reach (\d+) m beyond)",
       {lunghezza_massima_percorso, oltre_il_percorso}},
      {R"(\| (\d+) \| type code: (\d+) empty, (\d+) 16-bit integer, (\d+) double \|)",
       {byte_tipo_elemento, elemento_vuoto.tipo, elemento_intero.tipo, elemento_double.tipo}},
      {R"(\| (\d+), (\d+) or (\d+) \| the value \|)",
       {elemento_vuoto.larghezza, elemento_intero.larghezza, elemento_double.larghezza}},
      {R"((\d+) entries, entry 0 first, each (\d+) bytes plus)", {voci_tabella, byte_voce}},
      {R"(\| track grid \| (\d+) bytes \| cells 0 to (\d+) / (\d+) = (\d+), (\d+) bytes each \|)",
       {massimo_byte_griglia, metri_massimi_griglia, metri_per_cella, celle_massime - 1, byte_cella}},
      {R"(\| plan \| (\d+) bytes \| each half: metres 0 to (\d+), two (\d+)-byte integer seeds and at most a (\d+)-byte double)",
       {massimo_byte_piano, metri_massimi_griglia, byte_elemento(elemento_intero), byte_elemento(elemento_double)}},
      {R"(\| general table \| (\d+) bytes \| (\d+) entries of (\d+) bytes and a text of at most (\d+) bytes \|)",
       {massimo_byte_tabella, voci_tabella, byte_voce, testo_massimo}},
  };
  const std::string pagina = leggi_file(SCENARIO_FORMATI);
  for (const caso& c : casi) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(pagina, m, std::regex(c.frase))) << "not on the page: " << c.frase;
    ASSERT_EQ(m.size(), c.valori.size() + 1) << c.frase;
    for (size_t i = 0; i < c.valori.size(); ++i) {
      EXPECT_EQ(std::stoull(m[i + 1].str()), c.valori[i]) << "number " << i + 1 << " of: " << c.frase;
    }
  }
}
