// The two scenario checksums, over the same 25-character window: the train name and the
// route name as the table holds them, joined train first and lower-cased, followed by a
// fixed filler so that the window always exists. `codice_gara_og` is the plain sum of
// the character values, `codice_gara_st` the sum weighted by position (1 to 25).
#include "compiler/compilatore.h"
#include "sources/maiuscole.h"

namespace {

constexpr const char* riempitivo_codice = "mnbvcxzlkjhgfdsapoiuytrewq";
constexpr int lunghezza_finestra = 25;

}  // namespace

void compilatore::prepara_finestra_codice() {
  riga = minuscolo(tabella[voce_testata_treno].testo + tabella[voce_testata_linea].testo) + riempitivo_codice;
}

int32_t compilatore::codice_gara_og() {
  prepara_finestra_codice();
  int32_t somma = 0;
  for (int p = 1; p <= lunghezza_finestra; ++p) somma += static_cast<unsigned char>(riga[static_cast<size_t>(p - 1)]);
  return somma;
}

int32_t compilatore::codice_gara_st() {
  prepara_finestra_codice();
  int32_t somma = 0;
  for (int p = 1; p <= lunghezza_finestra; ++p) {
    somma += p * static_cast<unsigned char>(riga[static_cast<size_t>(p - 1)]);
  }
  return somma;
}
