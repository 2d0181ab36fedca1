// The field in keyword position, as the body of the line file and the service file
// read it: a hyphenated field (a remark or a separator) is dropped, at most twice in a
// row, and the end of the file is looked for after every field, so that the last field
// of a file is never acted on.
#include "driver/form1.h"
#include "loader/stato_caricamento.h"
#include "sources/maiuscole.h"

bool Form1::leggi_chiave(stato_caricamento& s) {
  if (s.lettore.fine_file()) return false;
  riga = s.lettore.leggi_testo();
  if (s.lettore.fine_file()) return false;
  for (int salti = 0; salti < 2 && contiene(riga, "-"); ++salti) {
    riga = s.lettore.leggi_testo();
    if (s.lettore.fine_file()) return false;
  }
  luogo_record.riga = s.lettore.riga_campo();
  return true;
}
