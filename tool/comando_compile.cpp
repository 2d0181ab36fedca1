// scenario_tool compile: compiles a route author's own source files.
//
// The two source files found in SOURCE_DIR are copied into OUTPUT_DIR and compiled
// there, with OUTPUT_DIR as the program's directory, so the loader's deletions touch
// only the copies. Like a run of the program, it holds the lock of OUTPUT_DIR from the
// first copy to the last rename. Source files of the two names already in OUTPUT_DIR are removed
// first, so only what SOURCE_DIR holds is compiled. Every diagnostic of the compiler
// (its errors, and its warnings unless -w) goes to standard error, placed at the line
// of the source file in SOURCE_DIR that caused it.
#include <filesystem>
#include <optional>
#include <sstream>
#include <system_error>

#include "compiler/controllo.h"
#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "platform/console.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "tool/opzioni.h"
#include "tool/scenario_tool.h"
#include "tool/spiegazione.h"

namespace fs = std::filesystem;

namespace {

struct opzioni_compile {
  std::string linea = linea_incorporata;
  std::string treno = treno_incorporato;
  bool con_tracciato = true;
  bool senza_avvisi = false;
  std::string sorgenti;
  std::string destinazione;
};

// Reads the command line into `o`.
sbaglio_riga leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_compile& o) {
  riga_letta r;
  std::string sbaglio =
      leggi_riga(argomenti,
                 {{"--line", nullptr, true}, {"--train", nullptr, true}, {"--no-plan", nullptr, false}, {"-w", nullptr, false}},
                 r);
  if (!sbaglio.empty()) return {sbaglio};
  if (r.valori.contains("--line")) o.linea = r.valori["--line"];
  if (r.valori.contains("--train")) o.treno = r.valori["--train"];
  o.con_tracciato = !r.ha("--no-plan");
  o.senza_avvisi = r.ha("-w");
  if (sbaglio_riga s = controlla_nome("--line", o.linea); s.presente()) return s;
  if (sbaglio_riga s = controlla_nome("--train", o.treno); s.presente()) return s;
  if (r.operandi.size() != 2) return {"SOURCE_DIR and OUTPUT_DIR are needed"};
  o.sorgenti = r.operandi[0];
  o.destinazione = r.operandi[1];
  std::error_code ec;
  fs::path sorgenti = percorso_di(o.sorgenti), destinazione = percorso_di(o.destinazione);
  if (!fs::is_directory(sorgenti, ec)) return {"SOURCE_DIR " + o.sorgenti + " is not a directory", true};
  if (fs::exists(destinazione, ec) && !fs::is_directory(destinazione, ec)) {
    return {"OUTPUT_DIR " + o.destinazione + " is not a directory", true};
  }
  if (fs::equivalent(sorgenti, destinazione, ec)) {
    return {"OUTPUT_DIR must be another directory than SOURCE_DIR", true};
  }
  return {};
}

// Replaces the source file `nome` in the output directory by the one in the source
// directory, or only removes it when the source directory has none.
void copia_sorgente(const opzioni_compile& o, const std::string& nome) {
  std::string copia = percorso_in(o.destinazione, nome);
  if (fs::exists(percorso_di(copia))) elimina_file(copia);
  std::string originale = percorso_in(o.sorgenti, nome);
  if (esiste_file(originale)) scrivi_file(copia, leggi_file(originale));
}

}  // namespace

int comando_compile(const std::vector<std::string>& argomenti, std::istream&, std::ostream& uscita,
                    std::ostream& errori) {
  opzioni_compile o;
  if (sbaglio_riga s = leggi_opzioni(argomenti, o); s.presente()) return riferisci_sbaglio(errori, "compile", s);
  std::optional<blocco_cartella> blocco;
  int stato = esegui_senza_compilare(
      [&] {
        fs::create_directories(percorso_di(o.destinazione));
        blocco.emplace(o.destinazione);
        rimuovi_avanzi(o.destinazione, nomi_file_corsa(o.linea, o.treno));
        copia_sorgente(o, nome_file_linea(o.linea));
        copia_sorgente(o, nome_file_servizio(o.linea, o.treno));
      },
      errori, "scenario_tool");
  if (stato != uscita_riuscita) return stato;

  // A taken header slot is reported among the diagnostics, not as the message box's text.
  std::ostringstream messaggio;
  PiattaformaConsole piattaforma(o.destinazione, nullptr, messaggio);
  Form1 form(piattaforma);
  form.nome_linea = o.linea;
  form.nome_treno = o.treno;
  int32_t j = o.con_tracciato ? 1 : 0;
  stato = esegui_senza_compilare([&] { form.memorizza_percorso(j); }, errori, "scenario_tool");
  if (stato == uscita_riuscita) stato = stato_compilazione(form);
  uscita << "codice_errore=" << form.codice_errore << " posizione_errore=" << form.posizione_errore << '\n';
  std::vector<diagnostica> da_dire;
  for (const diagnostica& d : form.diagnostiche) {
    if (d.livello == gravita::errore || !o.senza_avvisi) da_dire.push_back(d);
  }
  ordina_diagnostiche(da_dire, nome_file_linea(o.linea));
  if (!da_dire.empty()) scrivi_diagnostiche(da_dire, o.sorgenti, formato_diagnostiche::testo, true, errori);
  return stato;
}
