// The check: one compilation as it is, then, after a stop, one load with recovery.
#include "compiler/controllo.h"

#include <algorithm>
#include <tuple>

#include "compiler/compila.h"
#include "model/nomi_file.h"

namespace {

std::vector<diagnostica> compila_in_memoria(const sorgenti_in_memoria& sorgenti, richiesta_caricamento r,
                                            bool recupera) {
  sorgenti_in_memoria copia = sorgenti;
  r.recupera = recupera;
  return compila(copia, r).diagnostiche;
}

bool con_errori(const std::vector<diagnostica>& d) {
  return std::any_of(d.begin(), d.end(), [](const diagnostica& x) { return x.livello == gravita::errore; });
}

}  // namespace

std::vector<diagnostica> controlla_sorgenti(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& r) {
  std::vector<diagnostica> tutte = compila_in_memoria(sorgenti, r, false);
  if (con_errori(tutte)) {
    for (diagnostica& d : compila_in_memoria(sorgenti, r, true)) {
      if (std::find(tutte.begin(), tutte.end(), d) == tutte.end()) tutte.push_back(std::move(d));
    }
  }
  ordina_diagnostiche(tutte, nome_file_linea(r.linea));
  return tutte;
}

void ordina_diagnostiche(std::vector<diagnostica>& diagnostiche, const std::string& file_primo) {
  auto chiave = [&](const diagnostica& d) {
    return std::make_tuple(d.luogo.file != file_primo, d.luogo.file, d.luogo.riga, d.luogo.colonna);
  };
  std::stable_sort(diagnostiche.begin(), diagnostiche.end(),
                   [&](const diagnostica& a, const diagnostica& b) { return chiave(a) < chiave(b); });
}
