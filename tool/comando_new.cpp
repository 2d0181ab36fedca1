// scenario_tool new: a small commented pair of source files to start a route of one's
// own from. Every remark is a field with a hyphen in keyword position, and holds no
// comma, so the compiler drops it; the pair passes `check --werror`.
#include <filesystem>

#include "model/nomi_file.h"
#include "platform/esegui_passo.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "tool/comandi.h"
#include "tool/scenario_tool.h"

namespace fs = std::filesystem;

namespace {

std::string linea_nuova(const std::string& linea) {
  return "-- " + linea +
         ": a route of 6 km to start from. One record a line: a keyword and its values --\r\n"
         "-- separated by commas. docs/sources.md gives every record and field. --\r\n"
         "[generale]\r\n"
         "-- the route length in metres: the track grid reaches 7000 m beyond it --\r\n"
         "lunghezza percorso,    6000\r\n"
         "-- kilometre posts: position - value shown - flag; all 0 for none --\r\n"
         "progressiva chilometrica uno,    0,    0,    0\r\n"
         "progressiva chilometrica due,    0,    0,    0\r\n"
         "progressiva chilometrica tre,    0,    0,    0\r\n"
         "-- scenery backgrounds --\r\n"
         "sfondo uno,    1\r\n"
         "sfondo due,    0\r\n"
         "sfondo tre,    0\r\n"
         "-- cab signalling from - to in metres; an end of 0 means none --\r\n"
         "ripetizione segnali 9 codici,    0,    0\r\n"
         "[curve]\r\n"
         "-- curvad3: a right-hand curve of class 3 - start and length in metres --\r\n"
         "curvad3,  2000,  500\r\n"
         "[pendenze]\r\n"
         "-- gradients in per mille from a position on - in ascending order --\r\n"
         "pendenza,     0,    0\r\n"
         "pendenza,  3000,    5\r\n"
         "[fine]\r\n";
}

std::string servizio_nuovo(const std::string& linea, const std::string& treno) {
  return "-- " + treno + " on " + linea +
         ": the service with a station at each end - a signal - a speed limit --\r\n"
         "[generale]\r\n"
         "numero vetture,    6\r\n"
         "percentuale massa frenata,    120\r\n"
         "sabbia,    100\r\n"
         "-- the clock at the start: hours minutes seconds --\r\n"
         "orologio,    8  0  0\r\n"
         "[aderenze]\r\n"
         "aderenza,     0,    80\r\n"
         "[vel_limite]\r\n"
         "-- speed limits: from a position on in km/h - in ascending order --\r\n"
         "velocita,     0,    30\r\n"
         "velocita,   600,   100\r\n"
         "[stazioni]\r\n"
         "-- position - kind (8 origin - 6 terminus) - length - 13 stored values - time - name --\r\n"
         "stazione,     0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   8, 0, 0, PARTENZA\r\n"
         "stazione,  5000,  6,  600,  0, 0, 0,  0,0,0,  4,1,1,    0,   8, 6, 0, ARRIVO\r\n"
         "[segnali]\r\n"
         "-- position - left side kind and group - packing - right side kind and group - time --\r\n"
         "segnale,  2500,  2, 3, 1,  1, 0,  0,  0,0,0, 0\r\n"
         "[fine]\r\n";
}

}  // namespace

int comando_new(const std::vector<std::string>& argomenti, std::istream&, std::ostream&, std::ostream& errori) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("new"), r);
  if (!sbaglio.empty()) return riferisci_sbaglio(errori, "new", {sbaglio});
  std::string linea = r.valori.contains("--line") ? r.valori["--line"] : "MIA_LINEA";
  std::string treno = r.valori.contains("--train") ? r.valori["--train"] : "treno";
  if (sbaglio_riga s = controlla_nome("--line", linea); s.presente()) return riferisci_sbaglio(errori, "new", s);
  if (sbaglio_riga s = controlla_nome("--train", treno); s.presente()) return riferisci_sbaglio(errori, "new", s);
  if (r.operandi.size() != 1) return riferisci_sbaglio(errori, "new", {"one DIR is needed"});
  const std::string& cartella = r.operandi[0];
  const std::string nomi[] = {nome_file_linea(linea), nome_file_servizio(linea, treno)};
  const std::string testi[] = {linea_nuova(linea), servizio_nuovo(linea, treno)};
  bool presenti = false;
  for (const std::string& n : nomi) {
    if (esiste_file(percorso_in(cartella, n))) {
      errori << percorso_in(cartella, n) << ": already there; not overwritten\n";
      presenti = true;
    }
  }
  if (presenti) return 1;
  return esegui_passo(
      [&] {
        fs::create_directories(percorso_di(cartella));
        for (int i = 0; i < 2; ++i) scrivi_file(percorso_in(cartella, nomi[i]), testi[i]);
      },
      errori, "scenario_tool");
}
