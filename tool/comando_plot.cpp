// scenario_tool plot: draws a compiled scenario as one SVG picture.
//
// The three compiled files are read from DIR by their names; the plan may be missing
// (a scenario compiled with --no-plan), and the picture then has the profile alone. A
// file that cannot be read or decoded is reported as for `dump`, and nothing is written.
#include <optional>
#include <ostream>

#include "driver/nomi_file.h"
#include "platform/file_servizi.h"
#include "tool/dati_disegno.h"
#include "tool/decodifica.h"
#include "tool/grafico.h"
#include "tool/scenario_tool.h"

namespace {

struct opzioni_plot {
  std::string linea = linea_incorporata;
  std::string treno = treno_incorporato;
  std::string cartella;
  std::string uscita;
};

constexpr const char* uso_plot = "usage: scenario_tool plot [--line NAME] [--train NAME] DIR -o FILE.svg\n";

// Reads the options; an empty text means they are right, otherwise it says what is wrong.
std::string leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_plot& o) {
  std::vector<std::string> posizionali;
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    bool con_valore = a == "--line" || a == "--train" || a == "-o";
    if (con_valore && i + 1 >= argomenti.size()) return a + " needs a value";
    if (a == "--line") {
      o.linea = argomenti[++i];
    } else if (a == "--train") {
      o.treno = argomenti[++i];
    } else if (a == "-o") {
      o.uscita = argomenti[++i];
    } else if (a.starts_with("-")) {
      return "unknown option " + a;
    } else {
      posizionali.push_back(a);
    }
  }
  if (posizionali.size() != 1) return "one DIR is needed";
  if (o.uscita.empty()) return "-o FILE.svg is needed";
  o.cartella = posizionali[0];
  return "";
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

int comando_plot(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori) {
  (void)uscita;
  opzioni_plot o;
  std::string sbaglio = leggi_opzioni(argomenti, o);
  if (!sbaglio.empty()) {
    errori << "scenario_tool plot: " << sbaglio << '\n' << uso_plot;
    return uscita_uso;
  }
  std::string in_lettura;
  try {
    std::string svg = grafico(o, in_lettura);
    scrivi_file(o.uscita, svg);
  } catch (const errore_file& e) {
    errori << e.percorso << ": " << e.motivo << '\n';
    return 1;
  } catch (const errore_decodifica& e) {
    errori << in_lettura << ": byte " << e.offset << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
