// The loader's entry and its recording: `carica` reads the line description file and
// then, in the same call, the service description file, reaching both only through the
// `sorgenti_scenario` handed to it.
//
// Every failure while loading (a field that cannot be read, a value that does not fit,
// an access outside a structure, a file that cannot be read or deleted) ends up in
// the one failure handler below: both source files are deleted where they still
// exist and the load ends with code 25.
//
// Alongside, the loader keeps where it is in the source files (`luogo_record_`), and
// every code it records becomes a diagnostic placed at the record that caused it (at
// the field that holds the position in question, where one does), with
// notes on what stands in the way, taken from the grid and the table as they are then.
#include "loader/caricatore.h"
#include "loader/carica_scenario.h"

#include <charconv>

#include <filesystem>

#include "loader/stato_caricamento.h"
#include "model/descrizioni.h"
#include "model/guasto_caricamento.h"
#include "model/nomi_file.h"

esito_caricamento carica_scenario(const richiesta_caricamento& richiesta, sorgenti_scenario& sorgenti) {
  return caricatore(richiesta).carica(sorgenti);
}

esito_caricamento caricatore::carica(sorgenti_scenario& sorgenti) {
  stato_caricamento s(sorgenti, nome_file_linea(richiesta_.linea),
                      nome_file_servizio(richiesta_.linea, richiesta_.treno));
  try {
    scenario_.tabella[voce_testata_linea].testo = richiesta_.linea;
    scenario_.tabella[voce_testata_treno].testo = richiesta_.treno;
    if (carica_linea(s)) carica_servizio(s);
  } catch (const guasto_caricamento& e) {
    fallimento_caricamento(s, &e, e.what());
  } catch (const errore_file& e) {
    fallimento_caricamento(s, nullptr, std::filesystem::path(e.percorso).filename().string() + ": " + e.motivo);
  }
  avvisi_campi_vuoti(s);
  lettore_record_ = nullptr;  // it goes with `s`
  limitate_.chiudi(esito_.diagnostiche);
  esito_.luogo_finale = luogo_record_;
  return std::move(esito_);
}

// One decision for every stop: a compilation ends the reading at its first code; a
// check goes on with the next record while there is something to check it against: a
// grid, and a table entry for a later station.
bool caricatore::riprende(const stato_caricamento& s) const {
  return richiesta_.recupera && !scenario_.griglia.empty() && s.n_stazione < s.cartello_libero;
}

// What the record loop does after a record: false when the reading ends, with
// `finita` telling whether it ended like the end of the file (a position beyond the
// grid, code 15) or stopped.
bool caricatore::dopo_record(stato_caricamento& s, esito_record esito, bool& finita) {
  if (esito == esito_record::avanti) return true;
  if (riprende(s)) {
    s.lettore.salta_riga();
    return true;
  }
  finita = esito == esito_record::fuori_griglia;
  return false;
}

void caricatore::fallimento_caricamento(stato_caricamento& s, const guasto_caricamento* guasto,
                                        const std::string& motivo) {
  s.sorgenti.elimina_se_esiste(s.file_linea);
  s.sorgenti.elimina_se_esiste(s.file_servizio);
  if (guasto != nullptr) {
    registra_guasto(*guasto, motivo);
  } else {
    registra_codice(25, std::nullopt, {{luogo_record_, motivo}});
  }
}

// Code 25 for a failure, at the record it belongs to.
// A field that could not be read is placed at the field, and the failure's text says
// all there is to say.
void caricatore::registra_guasto(const guasto_caricamento& e, const std::string& motivo) {
  if (e.campo) {
    diagnostica d = errore_registrato(25, e.posizione, nel_file(*e.campo), {});
    d.messaggio = motivo;
    esito_.diagnostiche.push_back(std::move(d));
    return;
  }
  if (e.luogo) luogo_record_ = *e.luogo;
  registra_codice(25, e.posizione, {{luogo_record_, motivo}});
}

void caricatore::registra_codice(int32_t codice, std::optional<int64_t> posizione,
                                 std::vector<nota_diagnostica> note, std::optional<int64_t> in_colpa) {
  luogo_sorgente dove = luogo_codice(in_colpa ? in_colpa : posizione);
  limitate_.aggiungi(esito_.diagnostiche, errore_registrato(codice, posizione, dove, std::move(note)));
}

// The field of the record being read that holds `valore` as written; the record's
// keyword where no field does (a value worked out from several fields, or a record
// already left behind).
luogo_sorgente caricatore::luogo_codice(std::optional<int64_t> valore) const {
  if (!valore || lettore_record_ == nullptr || luogo_record_.riga == 0) return luogo_record_;
  const luogo_sorgente& chiave = lettore_record_->luogo_chiave();
  if (chiave.riga != luogo_record_.riga || chiave.colonna != luogo_record_.colonna) return luogo_record_;
  for (const campo_letto& c : lettore_record_->campi_record()) {
    int64_t v = 0;
    const char* fine = c.testo.data() + c.testo.size();
    auto [dopo, errore] = std::from_chars(c.testo.data(), fine, v);
    if (errore == std::errc() && dopo == fine && v == *valore) return nel_file(c.luogo);
  }
  return luogo_record_;
}

esito_record caricatore::ferma(int32_t codice, std::optional<int64_t> posizione, std::vector<nota_diagnostica> note,
                               std::optional<int64_t> in_colpa) {
  registra_codice(codice, posizione, std::move(note), in_colpa);
  return esito_record::fermo;
}

void caricatore::avvisa(const std::string& nome, const std::string& messaggio, luogo_sorgente dove,
                        std::vector<nota_diagnostica> note, std::vector<correzione> correzioni) {
  if (richiesta_.senza_avvisi) return;
  if (dove.file.empty()) dove = luogo_record_;
  limitate_.aggiungi(esito_.diagnostiche,
                     {gravita::avviso, 0, nome, dove, messaggio, std::move(note), false, {}, std::move(correzioni)});
}

luogo_sorgente caricatore::nel_file(luogo_sorgente l) const {
  l.file = luogo_record_.file;
  return l;
}

luogo_sorgente caricatore::campo_letto_ora(const stato_caricamento& s) const {
  return nel_file(s.lettore.ultimo_campo().luogo);
}

void caricatore::annota_origine(int64_t k) { esito_.origine_celle[k] = luogo_record_; }

// The note on the cell that a store has refused.
std::vector<nota_diagnostica> caricatore::note_rifiuto(const rifiuto& r) const {
  if (r.cella < 0 || r.cella >= static_cast<int64_t>(scenario_.griglia.size())) return {};
  return {nota_cella(esito_, r.cella, "", luogo_record_)};
}

// The note on the track grid's end, placed at the route length that sized it.
nota_diagnostica caricatore::nota_griglia() const {
  int64_t fine = static_cast<int64_t>(scenario_.n_celle) * 50;
  return {luogo_lunghezza_.file.empty() ? luogo_record_ : luogo_lunghezza_,
          "the route length of " + std::to_string(scenario_.tabella[voce_dati_treno].valore_b) +
              " m gives a track grid to " + std::to_string(fine) + " m (cells 0 to " +
              std::to_string(scenario_.n_celle) + "): a position may be at most " + std::to_string(fine - 100) +
              " m, a station's " + std::to_string(fine - 800) + " m"};
}

void caricatore::avvisi_campi_vuoti(stato_caricamento& s) {
  for (auto [r, c] : s.lettore.prendi_campi_vuoti()) {
    avvisa("empty-field", "empty numeric field, read as 0", {luogo_record_.file, r, c, r, c});
  }
}

// A value stored into `bit` bits (8 unsigned, 16 signed) keeps only its low bits.
void caricatore::avvisa_troncato(int64_t valore, int bit, const char* cosa, luogo_sorgente dove) {
  bool entra = bit == 8 ? valore >= 0 && valore <= 255 : valore >= INT16_MIN && valore <= INT16_MAX;
  if (entra) return;
  int64_t tenuto = bit == 8 ? static_cast<int64_t>(static_cast<uint8_t>(valore))
                            : static_cast<int64_t>(static_cast<int16_t>(static_cast<uint16_t>(valore)));
  avvisa("value-truncated",
         std::string(cosa) + " " + std::to_string(valore) + " does not fit " + (bit == 8 ? "a byte" : "16 bits") +
             " and is stored as " + std::to_string(tenuto),
         dove);
}

cella& caricatore::cella_griglia(int64_t k) {
  if (k < 0 || k >= static_cast<int64_t>(scenario_.griglia.size())) {
    throw guasto_caricamento(scenario_.griglia.empty()
                                 ? "no track grid yet: the route length has not been read"
                                 : "position " + std::to_string(k * 50) + " m (cell " + std::to_string(k) +
                                       ") lies outside the track grid, 0 to " +
                                       std::to_string((static_cast<int64_t>(scenario_.griglia.size()) - 1) * 50) +
                                       " m (cells 0 to " + std::to_string(scenario_.griglia.size() - 1) + ")");
  }
  return scenario_.griglia[static_cast<size_t>(k)];
}

void caricatore::avvisa_ordine(int64_t posizione, int64_t precedente, const char* cosa,
                               const luogo_sorgente& luogo_precedente, const luogo_sorgente& campo,
                               int64_t dal_metro) {
  std::string p = std::to_string(posizione), q = std::to_string(precedente);
  avvisa(std::string(cosa) == "speed limit" ? "speed-order" : "adhesion-order",
         std::string(cosa) + " at " + p + " m comes after one at " + q + " m: they are laid in the order read",
         campo,
         {{luogo_precedente, "the " + std::string(cosa) + " at " + q + " m covers only up to " +
                                 std::to_string(dal_metro - 1) + " m, and the one at " + p + " m takes effect from " +
                                 std::to_string(dal_metro) + " m, not from " + p + " m"}});
}
