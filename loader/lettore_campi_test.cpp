// The field reader: where fields end, what a number may be, how a field that cannot be
// read fails, and the ordinals that name the fields in messages.
#include "loader/lettore_campi.h"

#include <gtest/gtest.h>

#include "model/guasto_caricamento.h"

TEST(LettoreCampi, TextFieldsEndAtCommaOrAnyLineEnd) {
  lettore_campi l("  [generale]\r\nuno,due  ,\ttre\rquattro\ncinque");
  EXPECT_EQ(l.leggi_testo(), "[generale]");
  EXPECT_EQ(l.riga_campo(), 1);
  EXPECT_EQ(l.leggi_testo(), "uno");
  EXPECT_EQ(l.leggi_testo(), "due  ");  // trailing blanks stay
  EXPECT_EQ(l.leggi_testo(), "tre");    // leading tab skipped, lone CR ends it
  EXPECT_EQ(l.leggi_testo(), "quattro");
  EXPECT_EQ(l.riga_campo(), 3);
  EXPECT_FALSE(l.fine_file());
  EXPECT_EQ(l.leggi_testo(), "cinque");  // the file's end ends the last field
  EXPECT_TRUE(l.fine_file());
  EXPECT_THROW(l.leggi_testo(), guasto_caricamento);
}

TEST(LettoreCampi, NumbersEndAtBlanksAndConsumeOneDelimiter) {
  // The clock row: three numbers apart by blanks only, a trailing blank, then CR LF.
  lettore_campi orologio("orologio,    10              29            30 \r\n[fine]");
  EXPECT_EQ(orologio.leggi_testo(), "orologio");
  EXPECT_EQ(orologio.leggi_intero(), 10);
  EXPECT_EQ(orologio.leggi_intero(), 29);
  EXPECT_EQ(orologio.leggi_intero(), 30);
  EXPECT_EQ(orologio.leggi_testo(), "[fine]");

  // Empty numeric fields read 0 and consume their comma; a number may end the file.
  lettore_campi vuoti("indicatori_vmax,  800,  ,  ,-12\r\n  \r\n7");
  EXPECT_EQ(vuoti.leggi_testo(), "indicatori_vmax");
  EXPECT_EQ(vuoti.leggi_lungo(), 800);
  EXPECT_EQ(vuoti.leggi_lungo(), 0);
  EXPECT_EQ(vuoti.leggi_lungo(), 0);
  EXPECT_EQ(vuoti.leggi_lungo(), -12);
  EXPECT_EQ(vuoti.leggi_lungo(), 0);  // only blanks before the line end
  EXPECT_EQ(vuoti.leggi_lungo(), 7);
  EXPECT_TRUE(vuoti.fine_file());

  lettore_campi solo_spazi("   ");
  EXPECT_EQ(solo_spazi.leggi_byte(), 0);  // blanks are characters: an empty field at the end
  EXPECT_TRUE(solo_spazi.fine_file());
}

TEST(LettoreCampi, MalformedNumbersFail) {
  for (const char* testo : {"+5", "1.5", "12a", "-", "- 3", "abc", "5-"}) {
    lettore_campi l(testo);
    EXPECT_THROW(l.leggi_lungo(), guasto_caricamento) << testo;
  }
  lettore_campi vuoto("");
  EXPECT_THROW(vuoto.leggi_lungo(), guasto_caricamento);
}

TEST(LettoreCampi, ValuesMustFitTheirVariable) {
  lettore_campi l("255,256");
  EXPECT_EQ(l.leggi_byte(), 255);
  EXPECT_THROW(l.leggi_byte(), guasto_caricamento);
  lettore_campi byte_negativo("-1");
  EXPECT_THROW(byte_negativo.leggi_byte(), guasto_caricamento);
  lettore_campi intero("32767,-32768,32768");
  EXPECT_EQ(intero.leggi_intero(), 32767);
  EXPECT_EQ(intero.leggi_intero(), -32768);
  EXPECT_THROW(intero.leggi_intero(), guasto_caricamento);
  lettore_campi intero_basso("-32769");
  EXPECT_THROW(intero_basso.leggi_intero(), guasto_caricamento);
  lettore_campi lungo("2147483647,-2147483648,2147483648");
  EXPECT_EQ(lungo.leggi_lungo(), INT32_MAX);
  EXPECT_EQ(lungo.leggi_lungo(), INT32_MIN);
  EXPECT_THROW(lungo.leggi_lungo(), guasto_caricamento);
  lettore_campi enorme("99999999999999999999");
  EXPECT_THROW(enorme.leggi_lungo(), guasto_caricamento);
}

// "the 11th field", never "11st": 11 to 13 of every hundred end in "th".
TEST(LettoreCampi, OrdinalsOfTheTeens) {
  const std::pair<int, const char*> casi[] = {{1, "1st"},     {2, "2nd"},     {3, "3rd"},     {4, "4th"},
                                              {10, "10th"},   {11, "11th"},   {12, "12th"},   {13, "13th"},
                                              {14, "14th"},   {21, "21st"},   {22, "22nd"},   {23, "23rd"},
                                              {101, "101st"}, {111, "111th"}, {112, "112th"}, {113, "113th"},
                                              {122, "122nd"}, {1013, "1013th"}};
  for (const auto& [n, atteso] : casi) EXPECT_EQ(ordinale(n), atteso) << n;
}
