// Writers of the three compiled files. Each file is written anew in one pass, member by
// member, in declaration order, with no header, count or padding.
#include "compiler/file_compilati.h"

#include "compiler/uscita_binaria.h"

namespace {

void coordinate(uscita_binaria& u, const tracciato_piano& t, const std::vector<double>& valori) {
  for (size_t m = 0; m < valori.size(); ++m) {
    uint16_t tipo = tipo_elemento(t, static_cast<int64_t>(m));
    u.parola(tipo);
    if (tipo == variante_intero) u.intero(static_cast<int16_t>(valori[m]));
    if (tipo == variante_double) u.reale(valori[m]);
  }
}

void voce_tabella(uscita_binaria& u, const voce& v) {
  u.byte(v.codice);
  u.lungo(v.valore_a);
  u.lungo(v.valore_b);
  u.lungo(v.valore_c);
  u.byte(v.marca);
  u.intero(static_cast<int16_t>(v.testo.size()));
  u.testo(v.testo);
  u.intero(v.intero_a);
  u.intero(v.intero_b);
  u.intero(v.intero_c);
  u.intero(v.intero_d);
  u.intero(v.intero_e);
  u.byte(v.bit_a);
  u.byte(v.bit_b);
  u.byte(v.bit_c);
  u.byte(v.bit_d);
  u.lungo(v.valore_d);
}

void cella_griglia(uscita_binaria& u, const cella& c) {
  u.byte(c.tipo);
  u.intero(c.dato1);
  u.intero(c.dato2);
  u.intero(c.dato3);
  u.intero(c.dato4);
  u.byte(c.tempo);
  u.byte(c.preavviso);
  u.byte(c.montagna);
  u.byte(c.velocita);
  u.byte(c.pendenza);
  u.byte(c.aderenza);
}

}  // namespace

void scrivi_piano(const std::string& percorso, const tracciato_piano& tracciato) {
  file_nuovo file(percorso);
  uscita_binaria u(file);
  coordinate(u, tracciato, tracciato.x);
  coordinate(u, tracciato, tracciato.y);
  u.svuota();
  file.completa();
}

void scrivi_tabella(const std::string& percorso, const tabella_generale& tabella) {
  file_nuovo file(percorso);
  uscita_binaria u(file);
  for (const voce& v : tabella) voce_tabella(u, v);
  u.svuota();
  file.completa();
}

void scrivi_griglia(const std::string& percorso, const std::vector<cella>& griglia) {
  file_nuovo file(percorso);
  uscita_binaria u(file);
  for (const cella& c : griglia) cella_griglia(u, c);
  u.svuota();
  file.completa();
}
