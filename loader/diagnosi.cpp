// The sink of the loader's diagnostics: each code, failure and warning placed and kept.
#include "loader/diagnosi.h"

#include <algorithm>
#include <charconv>

#include "loader/lettore_campi.h"
#include "model/guasto_caricamento.h"

luogo_sorgente diagnosi::nel_file(luogo_sorgente l) const {
  l.file = record_.file;
  return l;
}

void diagnosi::codice(int32_t codice, std::optional<int64_t> posizione, std::vector<nota_diagnostica> note,
                      std::optional<int64_t> in_colpa) {
  luogo_sorgente dove = luogo_codice(in_colpa ? in_colpa : posizione);
  limitate_.aggiungi(lista_, errore_registrato(codice, posizione, dove, std::move(note)));
}

// The field of the record being read that holds `valore` as written; the record's
// keyword where no field does (a value worked out from several fields, or a record
// already left behind).
luogo_sorgente diagnosi::luogo_codice(std::optional<int64_t> valore) const {
  if (!valore || lettore_ == nullptr || record_.riga == 0) return record_;
  const luogo_sorgente& chiave = lettore_->luogo_chiave();
  if (chiave.riga != record_.riga || chiave.colonna != record_.colonna) return record_;
  for (const campo_letto& c : lettore_->campi_record()) {
    int64_t v = 0;
    const char* fine = c.testo.data() + c.testo.size();
    auto [dopo, errore] = std::from_chars(c.testo.data(), fine, v);
    if (errore == std::errc() && dopo == fine && v == *valore) return nel_file(c.luogo);
  }
  return record_;
}

// A field that could not be read is placed at the field, and the failure's text says
// all there is to say; kept up to the cap, as every code.
void diagnosi::guasto(const guasto_caricamento& e) {
  if (e.campo) {
    diagnostica d = errore_registrato(25, e.posizione, nel_file(*e.campo), {});
    d.messaggio = e.motivo;
    limitate_.aggiungi(lista_, std::move(d));
    return;
  }
  if (e.luogo) record_ = *e.luogo;
  codice(25, e.posizione, {{record_, e.motivo}});
}

void diagnosi::avviso(const std::string& nome, const std::string& messaggio, luogo_sorgente dove,
                      std::vector<nota_diagnostica> note, std::vector<correzione> correzioni) {
  if (senza_avvisi_) return;
  if (dove.file.empty()) dove = record_;
  limitate_.aggiungi(lista_,
                     {gravita::avviso, 0, nome, dove, messaggio, std::move(note), false, {}, std::move(correzioni)});
}

void diagnosi::troncato(int64_t valore, int bit, const char* cosa, luogo_sorgente dove) {
  bool entra = bit == 8 ? valore >= 0 && valore <= 255 : valore >= INT16_MIN && valore <= INT16_MAX;
  if (entra) return;
  int64_t tenuto = bit == 8 ? static_cast<int64_t>(static_cast<uint8_t>(valore))
                            : static_cast<int64_t>(static_cast<int16_t>(static_cast<uint16_t>(valore)));
  avviso("value-truncated",
         std::string(cosa) + " " + std::to_string(valore) + " does not fit " + (bit == 8 ? "a byte" : "16 bits") +
             " and is stored as " + std::to_string(tenuto),
         dove);
}

// Each empty field a warning, in the order read; those the reader only counted come
// after the first ones, which fill the kind, and are counted here too.
void diagnosi::campi_vuoti(lettore_campi& l) {
  const vuoti_letti v = l.prendi_campi_vuoti();
  auto luogo = [&](std::pair<int, int> p) { return luogo_sorgente{record_.file, p.first, p.second, p.first, p.second}; };
  auto avvisa = [&](size_t da, size_t a) {
    for (size_t i = da; i < a; ++i) avviso("empty-field", "empty numeric field, read as 0", luogo(v.campi[i]));
  };
  const size_t primi = std::min(v.campi.size(), vuoti_tenuti);
  avvisa(0, primi);
  if (v.saltati > 0 && !senza_avvisi_) limitate_.conta(lista_, 0, "empty-field", v.saltati, luogo(v.ultimo_saltato));
  avvisa(primi, v.campi.size());
}
