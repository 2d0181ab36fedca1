// The keyword tables: which records a field names, the curve and cab keys, the section
// headers, and the nearest keyword offered for a misspelling.
#include "loader/parole_chiave.h"

#include <gtest/gtest.h>

#include "loader/campi_record.h"
#include "loader/parole_chiave_prova.h"
#include "model/maiuscole.h"

using G = record_generale;
using C = record_corpo;
using S = record_servizio;

TEST(ParoleChiave, GeneralKeysKeepTheirCaseRules) {
  EXPECT_EQ(record_generali("LUNGHEZZA PERCORSO"), std::vector<G>{G::lunghezza_percorso});
  EXPECT_TRUE(record_generali("SFONDO UNO").empty());
  EXPECT_TRUE(record_generali("Progressiva chilometrica uno").empty());
  EXPECT_EQ(record_generali("progressiva chilometrica tre"), std::vector<G>{G::progressiva_tre});
  EXPECT_EQ(record_generali("sfondo due"), std::vector<G>{G::sfondo_due});
  EXPECT_EQ(record_generali("ripetizione segnali 9 codici"), std::vector<G>{G::ripetizione_segnali});
  // Not exclusive: one field may name several records, in table order.
  EXPECT_EQ(record_generali("progressiva uno due tre"),
            (std::vector<G>{G::progressiva_tre, G::progressiva_due, G::progressiva_uno}));
}

TEST(ParoleChiave, BodyAndServiceKeysIgnoreCase) {
  EXPECT_EQ(record_del_corpo("PENDENZA", true), std::vector<C>{C::pendenza});
  EXPECT_EQ(record_del_corpo("CurvaS4", true), std::vector<C>{C::curva});
  EXPECT_TRUE(record_del_corpo("curvad3", false).empty());  // curves only while the plan is computed
  EXPECT_EQ(record_del_corpo("cartello_indicatore", true), std::vector<C>{C::cartello});
  EXPECT_EQ(record_del_corpo("indicatori_vmax", true), std::vector<C>{C::indicatori_v});
  EXPECT_TRUE(record_del_corpo("[cartelli]", true).empty());

  EXPECT_EQ(record_del_servizio("VELOCITA"), std::vector<S>{S::velocita});
  EXPECT_EQ(record_del_servizio("velocit\xE0"), std::vector<S>{S::velocita});
  EXPECT_EQ(record_del_servizio("percentuale massa frenata"), std::vector<S>{S::massa_frenata});
  EXPECT_TRUE(record_del_servizio("massa").empty());
  for (const char* intestazione : {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]",
                                   "[segnali]", "[codici]", "[fine]"}) {
    EXPECT_TRUE(record_del_servizio(intestazione).empty()) << intestazione;
  }
}

TEST(ParoleChiave, CurveCabAndHeaderDetails) {
  EXPECT_EQ(classe_curva("curvaS4"), 4);
  EXPECT_TRUE(curva_sinistra("curvaS4"));
  EXPECT_FALSE(curva_sinistra("curvad3"));
  EXPECT_EQ(classe_curva("curvad31"), 1);  // "1" is looked for first
  EXPECT_EQ(classe_curva("curvad7"), 0);
  EXPECT_EQ(classe_curva("curvad"), 0);

  EXPECT_EQ(sistema_codici("ripetizione segnali 9 codici"), 9);
  EXPECT_EQ(sistema_codici("ripetizione segnali 9 o 4 codici"), 4);
  EXPECT_EQ(sistema_codici("ripetizione segnali codici"), 0);

  EXPECT_TRUE(chiude_parte_generale("[curve]"));
  EXPECT_TRUE(chiude_parte_generale("  x ] [ y"));
  EXPECT_FALSE(chiude_parte_generale("  -[curve]"));
  EXPECT_FALSE(chiude_parte_generale("[curve"));
  EXPECT_TRUE(e_generale("xx[GENERALE]"));
}

TEST(Maiuscole, FoldsTheWesternCodePage) {
  EXPECT_EQ(minuscolo("AZaz09-_"), "azaz09-_");
  EXPECT_EQ(minuscolo("\xC0\xC8\xD7\xDE\xDF"), "\xE0\xE8\xD7\xFE\xDF");
  EXPECT_EQ(minuscolo("\x8A\x8C\x8E\x9F\x80"), "\x9A\x9C\x9E\xFF\x80");
}

TEST(ParoleChiave, EveryKeywordAsWrittenNamesItsOwnRecord) {
  for (G r : ogni_record<G>()) EXPECT_EQ(record_generali(parola_scritta(r)), std::vector<G>{r}) << parola_scritta(r);
  for (C r : ogni_record<C>()) {
    EXPECT_EQ(record_del_corpo(parola_scritta(r), true), std::vector<C>{r}) << parola_scritta(r);
  }
  for (S r : ogni_record<S>())
    EXPECT_EQ(record_del_servizio(parola_scritta(r)), std::vector<S>{r}) << parola_scritta(r);
  EXPECT_EQ(ogni_record<G>().size(), 8u);
  EXPECT_EQ(ogni_record<C>().size(), 5u);
  EXPECT_EQ(ogni_record<S>().size(), 10u);
}

// The word offered for a misspelling: one edit in four letters, two at most, letter case
// and blanks aside; of words equally near, the first in the table; none for a field far
// longer than every word.
namespace {

enum class tavola { linea, servizio, sezioni_linea };
struct caso_vicina {
  std::string campo;
  tavola parole;
  const char* vicina;
};
const caso_vicina casi_vicina[] = {
    {"pendnza", tavola::linea, "pendenza"},
    {"segnael", tavola::servizio, "segnale"},
    {"  STAZZIONE\t", tavola::servizio, "stazione"},
    {"sabia", tavola::servizio, "sabbia"},
    {"veloci", tavola::servizio, ""},  // two edits in six letters
    {"rllntamento", tavola::servizio, "rallentamento"},
    {"rllntmento", tavola::servizio, ""},
    {"curvad7", tavola::linea, "curvad1"},
    {"curvax3", tavola::linea, "curvad3"},
    {"progressiva chilometrica treee", tavola::linea, "progressiva chilometrica tre"},
    {"progressiva chilometrica treeee", tavola::linea, ""},
    {"[curvee]", tavola::sezioni_linea, "[curve]"},
    {"xx", tavola::servizio, ""},
    {std::string(6000, 'x'), tavola::servizio, ""},
};

}  // namespace

TEST(ParoleChiave, TheNearestKeywordOfAMisspelling) {
  std::vector<const char*> sezioni;
  for (const char* const* p = sezioni_linea; *p != nullptr; ++p) sezioni.push_back(*p);
  for (const caso_vicina& k : casi_vicina) {
    std::span<const char* const> parole = k.parole == tavola::linea      ? parole_scritte_linea()
                                          : k.parole == tavola::servizio ? parole_scritte_servizio()
                                                                         : std::span<const char* const>(sezioni);
    EXPECT_EQ(parola_vicina(k.campo, parole), k.vicina) << k.campo.substr(0, 40);
  }
}
