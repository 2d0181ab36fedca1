// The service records laid straight on the grid: line speed limits and adhesion (step
// functions), signals and slowdowns (handed to their stores) and code reductions.
#include "loader/record_servizio.h"

#include "loader/diagnosi.h"
#include "loader/griglia.h"
#include "model/conversioni.h"
#include "model/guasto_caricamento.h"
#include "model/regole_griglia.h"

namespace {

// A speed limit is kept in steps of 5 km/h; one that does not fit the cell's byte fails
// the load at the record that set it. It is then dropped, so that a check that goes on
// meets it once.
uint8_t velocita_in_cella(stato_passi& s) {
  int64_t passi = arrotonda(static_cast<double>(s.velocita_vigente) / 5.0);
  if (passi < 0 || passi > 255) {
    s.velocita_vigente = 0;
    throw guasto_caricamento("a speed limit / 5 " + std::to_string(passi) + " does not fit a byte", s.luogo_velocita,
                             std::nullopt);
  }
  return static_cast<uint8_t>(passi);
}

// A stretch value read after one at a later position: the one before it ends early.
void avvisa_ordine(diagnosi& d, int64_t posizione, int64_t precedente, const char* cosa,
                   const luogo_sorgente& luogo_precedente, const luogo_sorgente& campo, int64_t dal_metro) {
  std::string p = std::to_string(posizione), q = std::to_string(precedente);
  d.avviso(std::string(cosa) == "speed limit" ? "speed-order" : "adhesion-order",
           std::string(cosa) + " at " + p + " m comes after one at " + q + " m: they are laid in the order read",
           campo,
           {{luogo_precedente, "the " + std::string(cosa) + " at " + q + " m covers only up to " +
                                   std::to_string(dal_metro - 1) + " m, and the one at " + p +
                                   " m takes effect from " + std::to_string(dal_metro) + " m, not from " + p +
                                   " m"}});
}

// After a signal or slowdown store: a refusal stops the load, and so does a position
// beyond the grid that ended the line file's reading early (code 15 again).
esito_record dopo_memo(const esito_caricamento& e, diagnosi& d, const luogo_sorgente& lunghezza,
                       bool linea_oltre_griglia, int32_t posizione, const std::optional<rifiuto>& r) {
  if (r) return ferma_rifiuto(e, d, posizione, *r);
  if (linea_oltre_griglia) {
    d.codice(15, posizione, {nota_griglia(e.scenario, lunghezza, d.record())});
    return esito_record::fermo;
  }
  return esito_record::avanti;
}

}  // namespace

// Each cell holds the limit of the last record at or before it. The first cell is
// written even when the cursor stands at or past the new record's cell; the cursor
// never passes the grid's last cell.
esito_record posa_velocita(const coppia_letta& r, stato_passi& s, scenario_compilato& sc, diagnosi& d,
                           const luogo_sorgente& lunghezza) {
  const int32_t posizione = r.posizione.valore;
  const int32_t velocita = r.valore.valore;
  if (!sta_in_griglia(posizione, sc.n_celle)) return fuori_griglia(sc, lunghezza, d, posizione);
  if (posizione < s.posizione_velocita) {
    avvisa_ordine(d, posizione, s.posizione_velocita, "speed limit", s.luogo_velocita, d.nel_file(r.posizione.campo),
                  (s.cursore_velocita + 1) * 50);
  }
  s.posizione_velocita = posizione;
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    while (s.cursore_velocita < sc.n_celle) {
      cella_griglia(sc, s.cursore_velocita).velocita = velocita_in_cella(s);
      ++s.cursore_velocita;
      if (s.cursore_velocita >= n) break;
    }
  }
  if (velocita % 5 != 0) {
    d.avviso("speed-rounded",
             "speed " + std::to_string(velocita) + " km/h is kept in steps of 5 km/h, as " +
                 std::to_string(5 * arrotonda(velocita / 5.0)) + " km/h",
             d.nel_file(r.valore.campo));
  }
  s.velocita_vigente = velocita;
  s.luogo_velocita = d.record();
  return esito_record::avanti;
}

// As the speed, but with no stop at the grid's last cell.
esito_record posa_aderenza(const coppia_letta& r, stato_passi& s, scenario_compilato& sc, diagnosi& d,
                           const luogo_sorgente& lunghezza) {
  const int32_t posizione = r.posizione.valore;
  const int32_t aderenza = r.valore.valore;
  if (!sta_in_griglia(posizione, sc.n_celle)) return fuori_griglia(sc, lunghezza, d, posizione);
  d.troncato(aderenza, 8, "the adhesion", d.nel_file(r.valore.campo));
  if (posizione < s.posizione_aderenza) {
    avvisa_ordine(d, posizione, s.posizione_aderenza, "adhesion value", s.luogo_aderenza,
                  d.nel_file(r.posizione.campo), (s.cursore_aderenza + 1) * 50);
  }
  s.posizione_aderenza = posizione;
  s.luogo_aderenza = d.record();
  int64_t n = cella_della_posizione(posizione);
  if (n > 0) {
    do {
      cella_griglia(sc, s.cursore_aderenza).aderenza = basso8(s.aderenza_vigente);
      ++s.cursore_aderenza;
    } while (s.cursore_aderenza < n);
  }
  s.aderenza_vigente = aderenza;
  return esito_record::avanti;
}

void chiudi_passi(stato_passi& s, scenario_compilato& sc) {
  do {
    cella_griglia(sc, s.cursore_velocita).velocita = velocita_in_cella(s);
    ++s.cursore_velocita;
  } while (s.cursore_velocita < sc.n_celle - 2);
  do {
    cella_griglia(sc, s.cursore_aderenza).aderenza = basso8(s.aderenza_vigente);
    ++s.cursore_aderenza;
  } while (s.cursore_aderenza < sc.n_celle - 2);
}

valori_segnale leggi_segnale(lettore_campi& l) {
  valori_segnale v{};
  for (int32_t* campo : {&v.posizione, &v.sx, &v.s1, &v.s2, &v.s3, &v.rapp, &v.dx, &v.d1, &v.d2, &v.d3, &v.tempo}) {
    *campo = l.leggi_lungo();
  }
  return v;
}

esito_record posa_segnale(const valori_segnale& r, esito_caricamento& e, diagnosi& d, const luogo_sorgente& lunghezza,
                          bool linea_oltre_griglia) {
  if (!sta_in_griglia(r.posizione, e.scenario.n_celle)) return fuori_griglia(e.scenario, lunghezza, d, r.posizione);
  return dopo_memo(e, d, lunghezza, linea_oltre_griglia, r.posizione, memo_segnale(e, d, r));
}

valori_rallentamento leggi_rallentamento(lettore_campi& l) {
  valori_rallentamento v{};
  for (int32_t* campo : {&v.x, &v.v, &v.l, &v.f_tt, &v.f_ta, &v.d_v}) *campo = l.leggi_lungo();
  return v;
}

esito_record posa_rallentamento(const valori_rallentamento& r, esito_caricamento& e, diagnosi& d,
                                const luogo_sorgente& lunghezza, bool linea_oltre_griglia) {
  if (!sta_in_griglia(r.x, e.scenario.n_celle)) return fuori_griglia(e.scenario, lunghezza, d, r.x);
  if (r.l < 0) {
    d.avviso("end-before-start", "slowdown from " + std::to_string(r.x) + " m with length " + std::to_string(r.l) +
                                     " m: its end lies before its start");
  }
  return dopo_memo(e, d, lunghezza, linea_oltre_griglia, r.x, memo_rallentamento(e, d, r));
}

// A code reduction marks the cell that holds its position (not the cell after it) as a
// code point, with its code when the code is positive.
esito_record posa_abbattimento(const coppia_letta& r, esito_caricamento& e, diagnosi& d,
                               const luogo_sorgente& lunghezza) {
  const int32_t posizione = r.posizione.valore;
  const int32_t codice = r.valore.valore;
  if (!sta_in_griglia(posizione, e.scenario.n_celle)) return fuori_griglia(e.scenario, lunghezza, d, posizione);
  int64_t k = cella_della_posizione(posizione);
  cella& c = cella_griglia(e.scenario, k);
  if (!cella_libera(c)) return ferma_rifiuto(e, d, posizione, {7, k});
  e.origine_celle[k] = d.record();
  if (codice > 0) {
    d.troncato(codice, 16, "the code", d.nel_file(r.valore.campo));
    c.tipo = punto_codice;
    c.dato1 = basso16(codice);
  } else {
    c.tipo = cella_abbattimento;
  }
  return esito_record::avanti;
}
