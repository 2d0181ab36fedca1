// memorizza_dati: the loader. It reads the line description file and then, in the same
// call, the service description file into the grid, the table and the plan, reaching
// both files only through the `sorgenti_scenario` handed to it.
//
// Every failure while loading (a field that cannot be read, a value that does not fit,
// an access outside a structure, a file that cannot be read or deleted) ends up in
// the one failure handler below: both source files are deleted where they still
// exist and the load ends with code 25.
//
// Alongside, the loader keeps where it is in the source files (`luogo_record`), and
// every code it records becomes a diagnostic placed at the record that caused it, with
// notes on what stands in the way, taken from the grid and the table as they are then.
#include <filesystem>

#include "compiler/compilatore.h"
#include "driver/codici_errore.h"
#include "driver/nomi_file.h"
#include "loader/stato_caricamento.h"
#include "model/guasto_caricamento.h"
#include "tool/descrizioni.h"

void compilatore::memorizza_dati(sorgenti_scenario& sorgenti) {
  stato_caricamento s(sorgenti, nome_file_linea(nome_linea), nome_file_servizio(nome_linea, nome_treno));
  luogo_record = {};
  cella_rifiutata_ = -1;
  origine_celle.clear();
  try {
    tabella[voce_testata_linea].testo = nome_linea;
    tabella[voce_testata_treno].testo = nome_treno;
    if (carica_linea(s)) carica_servizio(s);
  } catch (const guasto_caricamento& e) {
    fallimento_caricamento(s, e.what());
  } catch (const errore_file& e) {
    fallimento_caricamento(s, std::filesystem::path(e.percorso).filename().string() + ": " + e.motivo);
  }
  avvisi_campi_vuoti(s);
}

void compilatore::fallimento_caricamento(stato_caricamento& s, const std::string& motivo) {
  s.sorgenti.elimina_se_esiste(s.file_linea);
  s.sorgenti.elimina_se_esiste(s.file_servizio);
  registra_codice(25, std::nullopt, {{luogo_record, motivo}});
}

void compilatore::registra_codice(int32_t codice, std::optional<int64_t> posizione,
                                  std::vector<nota_diagnostica> note) {
  codice_errore = codice;
  if (posizione) posizione_errore = static_cast<int32_t>(*posizione);
  std::string messaggio = significato_codice(codice);
  if (posizione) messaggio += ", at " + std::to_string(static_cast<int32_t>(*posizione)) + " m";
  diagnostiche.push_back({gravita::errore, codice, "", luogo_record, messaggio, std::move(note)});
}

void compilatore::avvisa(const std::string& nome, const std::string& messaggio, luogo_sorgente dove) {
  if (dove.file.empty()) dove = luogo_record;
  diagnostiche.push_back({gravita::avviso, 0, nome, dove, messaggio, {}});
}

void compilatore::annota_origine(int64_t k) { origine_celle[k] = luogo_record; }

// "cell K[, quale,] holds ...", placed where the object of the cell was read.
nota_diagnostica compilatore::nota_cella(int64_t k, const std::string& quale, const luogo_sorgente& altrimenti) const {
  auto o = origine_celle.find(k);
  std::string chi = "cell " + std::to_string(k) + (quale.empty() ? "" : ", " + quale + ",");
  return {o == origine_celle.end() ? altrimenti : o->second,
          chi + " holds " + descrivi_cella(griglia[static_cast<size_t>(k)], tabella)};
}

// The note on the cell that a store has just refused.
std::vector<nota_diagnostica> compilatore::note_rifiuto() {
  int64_t k = std::exchange(cella_rifiutata_, -1);
  if (k < 0 || k >= static_cast<int64_t>(griglia.size())) return {};
  return {nota_cella(k, "", luogo_record)};
}

nota_diagnostica compilatore::nota_griglia() const {
  int64_t fine = static_cast<int64_t>(n_celle) * 50;
  return {luogo_record, "the track grid has cells 0 to " + std::to_string(n_celle) + ": a position may be at most " +
                            std::to_string(fine - 100) + " m, a station's " + std::to_string(fine - 800) + " m"};
}

void compilatore::avvisi_campi_vuoti(stato_caricamento& s) {
  for (auto [r, c] : s.lettore.prendi_campi_vuoti()) {
    avvisa("empty-field", "empty numeric field, read as 0", {luogo_record.file, r, c});
  }
}

// A value stored into `bit` bits (8 unsigned, 16 signed) keeps only its low bits.
void compilatore::avvisa_troncato(int64_t valore, int bit, const char* cosa) {
  bool entra = bit == 8 ? valore >= 0 && valore <= 255 : valore >= INT16_MIN && valore <= INT16_MAX;
  if (entra) return;
  int64_t tenuto = bit == 8 ? static_cast<int64_t>(static_cast<uint8_t>(valore))
                            : static_cast<int64_t>(static_cast<int16_t>(static_cast<uint16_t>(valore)));
  avvisa("value-truncated", std::string(cosa) + " " + std::to_string(valore) + " does not fit " +
                                (bit == 8 ? "a byte" : "16 bits") + " and is stored as " + std::to_string(tenuto));
}
