// The cap on diagnostics of one kind.
#include "model/diagnostiche_limitate.h"

void diagnostiche_limitate::aggiungi(std::vector<diagnostica>& lista, diagnostica d) {
  tipo& t = tipi_[{d.codice, d.nome}];
  if (t.conservate < diagnostiche_per_tipo) {
    if (d.registra) registrata_oltre_.reset();
    t.conservate++;
    t.ultima = lista.size();
    lista.push_back(std::move(d));
    return;
  }
  t.oltre++;
  diagnostica& ultima = lista[t.ultima];
  nota_diagnostica nota{d.luogo, "and " + std::to_string(t.oltre) + " more like this, the last one here"};
  if (t.oltre == 1) {
    ultima.note.push_back(std::move(nota));
  } else {
    ultima.note.back() = std::move(nota);
  }
  if (d.registra) registrata_oltre_ = std::move(d);
}

bool diagnostiche_limitate::tiene(int32_t codice, const std::string& nome) const {
  auto t = tipi_.find({codice, nome});
  return t == tipi_.end() || t->second.conservate < diagnostiche_per_tipo;
}

void diagnostiche_limitate::chiudi(std::vector<diagnostica>& lista) {
  if (registrata_oltre_) lista.push_back(std::move(*registrata_oltre_));
  registrata_oltre_.reset();
}
