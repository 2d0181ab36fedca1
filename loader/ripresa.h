// ripresa: the one decision after a stop, whether the reading goes on with the next
// record. A compilation ends the reading at its first code; a check (`recupera`) goes
// on while there is something to check the later records against: a grid, and a
// table entry for a later station. Every record loop asks here, and only here.
#pragma once

#include "loader/griglia.h"
#include "loader/record_letto.h"
#include "model/scenario.h"

class diagnosi;
class lettore_campi;
struct guasto_caricamento;

class ripresa {
 public:
  ripresa(bool recupera, const scenario_compilato& scenario, const voci_prese& voci)
      : recupera_(recupera), scenario_(scenario), voci_(voci) {}

  bool riprende() const { return recupera_ && !scenario_.griglia.empty() && voci_.n_stazione < voci_.cartello_libero; }

  // After a record: whether the reading goes on. After a stop that it survives, the
  // rest of the stopped record's line is skipped.
  bool prosegue(esito_record esito, lettore_campi& l) const;

  // A failure within a record, from the catch that caught it: false when the reading
  // does not go on (the caller lets the failure through); else it is recorded as code
  // 25 at its record, the record being read stays the one it was, and the rest of the
  // line is skipped.
  bool dopo_guasto(const guasto_caricamento& e, diagnosi& d, lettore_campi& l) const;

 private:
  bool recupera_;
  const scenario_compilato& scenario_;
  const voci_prese& voci_;
};
