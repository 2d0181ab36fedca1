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
  oltre(lista, t, 1, d.luogo);
  if (d.registra) registrata_oltre_ = std::move(d);
}

void diagnostiche_limitate::conta(std::vector<diagnostica>& lista, int32_t codice, const std::string& nome,
                                  size_t quante, luogo_sorgente luogo) {
  oltre(lista, tipi_[{codice, nome}], quante, std::move(luogo));
}

void diagnostiche_limitate::oltre(std::vector<diagnostica>& lista, tipo& t, size_t quante, luogo_sorgente luogo) {
  const bool prima = t.oltre == 0;
  t.oltre += quante;
  diagnostica& ultima = lista[t.ultima];
  nota_diagnostica nota{std::move(luogo), "and " + std::to_string(t.oltre) + " more like this, the last one here"};
  if (prima) {
    ultima.note.push_back(std::move(nota));
  } else {
    ultima.note.back() = std::move(nota);
  }
}

bool diagnostiche_limitate::tiene(int32_t codice, const std::string& nome) const {
  auto t = tipi_.find({codice, nome});
  return t == tipi_.end() || t->second.conservate < diagnostiche_per_tipo;
}

void diagnostiche_limitate::chiudi(std::vector<diagnostica>& lista) {
  if (registrata_oltre_) lista.push_back(std::move(*registrata_oltre_));
  registrata_oltre_.reset();
}
