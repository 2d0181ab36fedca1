// The check: one compilation as it is, then, after a stop, one load with recovery.
#include "compiler/controllo.h"

#include <algorithm>
#include <tuple>

#include "compiler/compila.h"
#include "model/nomi_file.h"

namespace {

esito_compilazione compila_in_memoria(const sorgenti_in_memoria& sorgenti, richiesta_caricamento r, bool recupera) {
  sorgenti_intatte testi(sorgenti.file);
  r.recupera = recupera;
  return compila(testi, r);
}

bool con_errori(const std::vector<diagnostica>& d) {
  return std::any_of(d.begin(), d.end(), [](const diagnostica& x) { return x.livello == gravita::errore; });
}

// One cause, one error: records beyond the track grid (code 15) whose note names the
// same route length, when there are two or more, become one error at that route
// length, with one note that sums them up.
void riunisci_oltre_griglia(std::vector<diagnostica>& d) {
  auto oltre = [](const diagnostica& x) { return x.livello == gravita::errore && x.codice == 15 && !x.note.empty(); };
  for (size_t i = 0; i < d.size(); ++i) {
    if (!oltre(d[i])) continue;
    const luogo_sorgente causa = d[i].note[0].luogo;
    size_t quanti = 0;
    for (const diagnostica& x : d) quanti += oltre(x) && x.note[0].luogo == causa;
    if (quanti < 2) continue;
    diagnostica unica = d[i];
    std::string dove = unica.posizione ? ", at " + std::to_string(*unica.posizione) + " m" : "";
    unica.messaggio = "the route length leaves " + std::to_string(quanti) + " records beyond the track grid";
    unica.luogo = causa;
    unica.note.push_back({d[i].luogo, std::to_string(quanti) + " records lie beyond the track grid's end; the first at line " +
                                          std::to_string(d[i].luogo.riga) + dove});
    std::erase_if(d, [&](const diagnostica& x) { return oltre(x) && x.note[0].luogo == causa; });
    d.insert(d.begin() + static_cast<std::ptrdiff_t>(std::min(i, d.size())), std::move(unica));
  }
}

}  // namespace

std::vector<diagnostica> controlla_sorgenti(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& r) {
  return controlla_compilando(sorgenti, r).diagnostiche;
}

esito_controllo controlla_compilando(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& r) {
  esito_controllo c{compila_in_memoria(sorgenti, r, false), {}};
  std::vector<diagnostica>& tutte = c.diagnostiche;
  tutte = c.compilazione.diagnostiche;
  if (con_errori(tutte)) {
    for (diagnostica& d : compila_in_memoria(sorgenti, r, true).diagnostiche) {
      if (std::find(tutte.begin(), tutte.end(), d) == tutte.end()) tutte.push_back(std::move(d));
    }
  }
  riunisci_oltre_griglia(tutte);
  ordina_diagnostiche(tutte, nome_file_linea(r.linea));
  return c;
}

void ordina_diagnostiche(std::vector<diagnostica>& diagnostiche, const std::string& file_primo) {
  auto chiave = [&](const diagnostica& d) {
    return std::make_tuple(d.luogo.file != file_primo, d.luogo.file, d.luogo.riga, d.luogo.colonna);
  };
  std::stable_sort(diagnostiche.begin(), diagnostiche.end(),
                   [&](const diagnostica& a, const diagnostica& b) { return chiave(a) < chiave(b); });
}
