// The two scenario checksums, over the same 25-character window: the train name and the
// route name as the table holds them, joined train first and lower-cased, followed by a
// fixed filler so that the window always exists. `codice_gara_og` is the plain sum of
// the character values, `codice_gara_st` the sum weighted by position (1 to 25).
#include "compiler/compila.h"
#include "model/maiuscole.h"

namespace {

constexpr const char* riempitivo_codice = "mnbvcxzlkjhgfdsapoiuytrewq";
constexpr int lunghezza_finestra = 25;

std::string finestra_codice(const tabella_generale& tabella) {
  return minuscolo(tabella[voce_testata_treno].testo + tabella[voce_testata_linea].testo) + riempitivo_codice;
}

}  // namespace

int32_t codice_gara_og(const tabella_generale& tabella) {
  std::string finestra = finestra_codice(tabella);
  int32_t somma = 0;
  for (int p = 1; p <= lunghezza_finestra; ++p) {
    somma += static_cast<unsigned char>(finestra[static_cast<size_t>(p - 1)]);
  }
  return somma;
}

int32_t codice_gara_st(const tabella_generale& tabella) {
  std::string finestra = finestra_codice(tabella);
  int32_t somma = 0;
  for (int p = 1; p <= lunghezza_finestra; ++p) {
    somma += p * static_cast<unsigned char>(finestra[static_cast<size_t>(p - 1)]);
  }
  return somma;
}
