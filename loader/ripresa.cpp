// What follows a stopped or failed record: the next line, or the end of the reading.
#include "loader/ripresa.h"

#include "loader/diagnosi.h"
#include "loader/lettore_campi.h"

bool ripresa::prosegue(esito_record esito, lettore_campi& l) const {
  if (esito == esito_record::avanti) return true;
  if (!riprende()) return false;
  l.salta_riga();
  return true;
}

bool ripresa::dopo_guasto(const guasto_caricamento& e, diagnosi& d, lettore_campi& l) const {
  if (!riprende()) return false;
  luogo_sorgente qui = d.record();
  d.guasto(e);
  d.al_record(qui);
  l.salta_riga();
  return true;
}
