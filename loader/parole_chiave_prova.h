// Test support: every record of the three keyword tables with its keyword as the
// built-in files write it. The switches have no default, so a record added to a table
// without a keyword here is a compiler warning (an error in CI); the keywords are
// checked against the tables by the keyword tests and against docs/ by its test.
#pragma once

#include <string>
#include <vector>

#include "loader/parole_chiave.h"

inline const char* parola_scritta(record_generale r) {
  switch (r) {
    case record_generale::lunghezza_percorso: return "lunghezza percorso";
    case record_generale::progressiva_tre: return "progressiva chilometrica tre";
    case record_generale::progressiva_due: return "progressiva chilometrica due";
    case record_generale::progressiva_uno: return "progressiva chilometrica uno";
    case record_generale::sfondo_uno: return "sfondo uno";
    case record_generale::sfondo_due: return "sfondo due";
    case record_generale::sfondo_tre: return "sfondo tre";
    case record_generale::ripetizione_segnali: return "ripetizione segnali 9 codici";
  }
  return nullptr;
}

inline const char* parola_scritta(record_corpo r) {
  switch (r) {
    case record_corpo::pendenza: return "pendenza";
    case record_corpo::curva: return "curvad3";
    case record_corpo::montagna: return "montagna";
    case record_corpo::indicatori_v: return "indicatori_vmax";
    case record_corpo::cartello: return "cartello_indicatore";
  }
  return nullptr;
}

inline const char* parola_scritta(record_servizio r) {
  switch (r) {
    case record_servizio::massa_frenata: return "percentuale massa frenata";
    case record_servizio::vetture: return "numero vetture";
    case record_servizio::velocita: return "velocita";
    case record_servizio::aderenza: return "aderenza";
    case record_servizio::orologio: return "orologio";
    case record_servizio::sabbia: return "sabbia";
    case record_servizio::segnale: return "segnale";
    case record_servizio::rallentamento: return "rallentamento";
    case record_servizio::abbattimento: return "abbattimento";
    case record_servizio::stazione: return "stazione";
  }
  return nullptr;
}

// Every record of a table, in table order: the values from 0 up to the first without a
// keyword.
template <typename R>
std::vector<R> ogni_record() {
  std::vector<R> tutti;
  for (int i = 0; parola_scritta(static_cast<R>(i)) != nullptr; ++i) tutti.push_back(static_cast<R>(i));
  return tutti;
}
