// diagnosi: where a load records what it finds. Codes, failures and warnings go into
// the load's list of diagnostics, kept up to a number per kind (diagnostiche_limitate),
// each at its place in the source files: by default the record being read, which the
// sink keeps for that purpose, and for a code the field of that record that holds the
// value in question.
//
// Every reader and store of the loader is handed the sink explicitly; nothing else in
// the loader writes a diagnostic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/diagnostica.h"
#include "model/diagnostiche_limitate.h"
#include "model/luogo_sorgente.h"

class lettore_campi;
struct guasto_caricamento;

class diagnosi {
 public:
  // Into `lista`; with `senza_avvisi` no warning is kept (compile -w).
  diagnosi(std::vector<diagnostica>& lista, bool senza_avvisi) : lista_(lista), senza_avvisi_(senza_avvisi) {}
  diagnosi(const diagnosi&) = delete;
  diagnosi& operator=(const diagnosi&) = delete;

  // The record being read (line 0: a file as a whole), where a code or a warning is
  // placed unless given a place of its own.
  const luogo_sorgente& record() const { return record_; }
  void al_record(luogo_sorgente luogo) { record_ = std::move(luogo); }
  // The reader of that record, whose value fields a code is placed at; none once the
  // reader is gone.
  void con_lettore(const lettore_campi* lettore) { lettore_ = lettore; }
  // A place the field reader gives (its file's name empty) in the file being read.
  luogo_sorgente nel_file(luogo_sorgente l) const;

  // A code, shown at the field of the record being read that holds `in_colpa` as
  // written (by default the position), else at the record's keyword.
  void codice(int32_t codice, std::optional<int64_t> posizione = std::nullopt, std::vector<nota_diagnostica> note = {},
              std::optional<int64_t> in_colpa = std::nullopt);
  // Code 25 for a failure while loading, at the field that could not be read, else at
  // the record it belongs to (which becomes the record being read).
  void guasto(const guasto_caricamento& e);
  void avviso(const std::string& nome, const std::string& messaggio, luogo_sorgente dove = {},
              std::vector<nota_diagnostica> note = {}, std::vector<correzione> correzioni = {});
  // Whether a warning `nome` would be kept now: not with `senza_avvisi`, nor once its
  // kind is full. One that would not is only counted, at its place, so its text need
  // not be made.
  bool tiene_avviso(const std::string& nome) const { return !senza_avvisi_ && limitate_.tiene(0, nome); }
  // A value stored into `bit` bits (8 unsigned, 16 signed) keeps only its low bits: a
  // warning when it does not fit.
  void troncato(int64_t valore, int bit, const char* cosa, luogo_sorgente dove = {});
  // A warning for every numeric field that `l` read as 0 being empty, taken from it.
  void campi_vuoti(lettore_campi& l);
  // Once every diagnostic is recorded.
  void chiudi() { limitate_.chiudi(lista_); }

 private:
  luogo_sorgente luogo_codice(std::optional<int64_t> valore) const;

  std::vector<diagnostica>& lista_;
  diagnostiche_limitate limitate_;
  bool senza_avvisi_;
  luogo_sorgente record_;
  const lettore_campi* lettore_ = nullptr;
};
