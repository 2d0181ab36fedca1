// One record `voce` of the general table `tabella` (87 records, entries 0 to 86).
//
// Entries 1 upwards hold the stations, 80 downwards the signboard texts, 81 to 83 the
// kilometre-post records, 84 the train and route figures, 85 the route header and 86
// the train header. The members are written to the table file in this order.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct voce {
  uint8_t codice = 0;
  int32_t valore_a = 0;
  int32_t valore_b = 0;
  int32_t valore_c = 0;
  uint8_t marca = 0;
  std::string testo;  // single-byte text
  int16_t intero_a = 0;
  int16_t intero_b = 0;
  int16_t intero_c = 0;
  int16_t intero_d = 0;
  int16_t intero_e = 0;
  uint8_t bit_a = 0;
  uint8_t bit_b = 0;
  uint8_t bit_c = 0;
  uint8_t bit_d = 0;
  int32_t valore_d = 0;
};

constexpr int voci_tabella = 87;
using tabella_generale = std::array<voce, voci_tabella>;

// Fixed entries of the table.
constexpr int voce_progressiva_tre = 81;
constexpr int voce_progressiva_due = 82;
constexpr int voce_progressiva_uno = 83;
constexpr int voce_dati_treno = 84;
constexpr int voce_testata_linea = 85;
constexpr int voce_testata_treno = 86;
constexpr int primo_cartello = 80;  // signboards take 80, 79, ... downwards
