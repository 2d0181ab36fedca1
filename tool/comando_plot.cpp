// scenario_tool plot: draws a compiled scenario as one SVG picture.
//
// The three compiled files are read from DIR by their names; the plan may be missing
// (a scenario compiled with --no-plan), and the picture then has the profile alone. A
// file that cannot be read or decoded is reported as for `dump`, and nothing is written.
// An output of "-" is standard output.
#include <optional>
#include <ostream>

#include "decoder/decodifica.h"
#include "drawing/dati_disegno.h"
#include "drawing/grafico.h"
#include "model/nomi_file.h"
#include "platform/file_servizi.h"
#include "platform/flussi_standard.h"
#include "tool/comandi.h"
#include "tool/nomi_trovati.h"
#include "tool/sottocomandi.h"

namespace {

struct opzioni_plot {
  std::string linea = linea_incorporata;
  std::string treno = treno_incorporato;
  std::string cartella;
  std::string uscita;
  bool nomi_dati = false;
};

// Reads the command line into `o`.
sbaglio_riga leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_plot& o) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("plot"), r);
  if (!sbaglio.empty()) return {sbaglio};
  if (r.valori.contains("--line")) o.linea = r.valori["--line"];
  if (r.valori.contains("--train")) o.treno = r.valori["--train"];
  o.nomi_dati = r.valori.contains("--line") || r.valori.contains("--train");
  if (sbaglio_riga s = controlla_nome("--line", o.linea); s.presente()) return s;
  if (sbaglio_riga s = controlla_nome("--train", o.treno); s.presente()) return s;
  if (r.operandi.size() != 1) return {"one DIR is needed"};
  if (!r.valori.contains("--output") || r.valori["--output"].empty()) return {"-o FILE.svg is needed"};
  o.cartella = r.operandi[0];
  o.uscita = r.valori["--output"];
  return {};
}

// The picture of the scenario; `in_lettura` names the file being read, for the report
// of a fault.
std::string grafico(const opzioni_plot& o, std::string& in_lettura) {
  in_lettura = percorso_in(o.cartella, nome_file_piano(o.linea));
  std::optional<piano_decodificato> p;
  if (esiste_file(in_lettura)) p = decodifica_piano(leggi_file_limitato(in_lettura, massimo_byte_piano));
  in_lettura = percorso_in(o.cartella, nome_file_tabella(o.linea, o.treno));
  tabella_decodificata t = decodifica_tabella(leggi_file_limitato(in_lettura, massimo_byte_tabella));
  in_lettura = percorso_in(o.cartella, nome_file_griglia(o.linea, o.treno));
  std::vector<cella> g = decodifica_griglia(leggi_file_limitato(in_lettura, massimo_byte_griglia));
  return grafico_svg(estrai_disegno(p, t.voci, g), o.linea + " \u2014 " + o.treno);
}

}  // namespace

int comando_plot(const std::vector<std::string>& argomenti, std::istream&, std::ostream& uscita, std::ostream& errori) {
  opzioni_plot o;
  if (sbaglio_riga s = leggi_opzioni(argomenti, o); s.presente()) return riferisci_sbaglio(errori, "plot", s);
  if (!o.nomi_dati) {
    if (std::string nomi = trova_nomi(o.cartella, true, o.linea, o.treno); !nomi.empty()) {
      errori << o.cartella << ": " << nomi << '\n';
      return 1;
    }
  }
  std::string in_lettura;
  try {
    std::string svg = grafico(o, in_lettura);
    if (o.uscita == "-") {
      uscita_binaria();  // the same bytes as in a file
      uscita << svg;
    } else {
      scrivi_uscita(o.uscita, svg);
    }
  } catch (const errore_file& e) {
    errori << e.percorso << ": " << e.motivo << '\n';
    return 1;
  } catch (const errore_decodifica& e) {
    errori << in_lettura << ": byte " << e.offset << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
