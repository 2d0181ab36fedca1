// The loader's working state for one load: the file being read,
// the source files and their names, and the cursors and pending values of the step
// functions that the line half and the service half lay on the grid.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "loader/sorgenti_scenario.h"
#include "model/luogo_sorgente.h"
#include "loader/esito_record.h"
#include "loader/lettore_campi.h"

// The section headers that the built-in files use, each list ending with a null.
extern const char* const sezioni_linea[];
extern const char* const sezioni_servizio[];

struct stato_caricamento {
  stato_caricamento(sorgenti_scenario& sorgenti, std::string file_linea, std::string file_servizio)
      : sorgenti(sorgenti), file_linea(std::move(file_linea)), file_servizio(std::move(file_servizio)) {}

  sorgenti_scenario& sorgenti;
  std::string file_linea;
  std::string file_servizio;
  lettore_campi lettore{""};

  // Line half.
  int32_t cartello_libero = 80;   // the table entry the next signboard takes
  int64_t cursore_pendenza = 0;   // the next cell to receive a gradient
  int64_t pendenza_vigente = 0;   // the gradient read last, not yet laid
  int64_t metro_tracciato = 2;    // the next metre of the plan to compute
  int64_t posizione_pendenza = -1; // the position of the gradient read last
  luogo_sorgente luogo_pendenza;   // and its record
  luogo_sorgente luogo_curva;      // the curve read last
  luogo_sorgente luogo_montagna;   // the mountain stretch read last
  // For each kilometre-post entry (81, 82, 83 as read) the line of its record when its
  // position or value is not a multiple of 50, else 0: where a code 2 comes from.
  std::array<int, 3> riga_progressiva_storta{};

  // Service half.
  int32_t n_stazione = 1;         // the table entry the next station takes
  int64_t velocita_vigente = 0;
  int64_t aderenza_vigente = 0;
  int64_t cursore_velocita = 0;
  int64_t cursore_aderenza = 0;
  luogo_sorgente luogo_velocita;   // the record of `velocita_vigente`
  int64_t posizione_velocita = -1;  // the position of the speed limit read last
  int64_t posizione_aderenza = -1;  // the position of the adhesion read last
  luogo_sorgente luogo_aderenza;    // and its record
  int n_record = 0;                // records read in the service file
  bool linea_oltre_griglia = false;  // a position beyond the grid ended the line file's reading (code 15)
  bool generale_servizio = false;  // "[generale]" was found in the service file
};
