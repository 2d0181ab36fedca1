// The recorded code and position, read off the list of diagnostics.
#include "model/diagnostica.h"

#include "model/codici_errore.h"

int32_t codice_registrato(const std::vector<diagnostica>& diagnostiche) {
  for (auto d = diagnostiche.rbegin(); d != diagnostiche.rend(); ++d) {
    if (d->registra) return d->codice;
  }
  return 0;
}

int32_t posizione_registrata(const std::vector<diagnostica>& diagnostiche) {
  for (auto d = diagnostiche.rbegin(); d != diagnostiche.rend(); ++d) {
    if (d->registra && d->posizione) return *d->posizione;
  }
  return 0;
}

diagnostica errore_registrato(int32_t codice, std::optional<int64_t> posizione, luogo_sorgente luogo,
                              std::vector<nota_diagnostica> note) {
  diagnostica d{gravita::errore, codice, "", std::move(luogo), significato_codice(codice), std::move(note), true, {}, {}};
  if (posizione) {
    d.posizione = static_cast<int32_t>(*posizione);
    d.messaggio += ", at " + std::to_string(*d.posizione) + " m";
  }
  return d;
}
