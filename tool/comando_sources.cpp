// scenario_tool sources DIR: the five built-in text files, written as the program
// writes them, into a directory of the author's choice.
//
// The files are first written into a private temporary directory and read back, so
// that they can be set against what DIR holds already: a file there that differs from
// the built-in one may be the author's own work, and unless --force is given it stops
// the command before anything is written. Files that match are left as they are.
#include <filesystem>
#include <random>
#include <system_error>

#include "driver/esito_esecuzione.h"
#include "driver/form1.h"
#include "driver/nomi_file.h"
#include "platform/console.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "tool/opzioni.h"
#include "tool/scenario_tool.h"

namespace fs = std::filesystem;

namespace {

// A new directory under the system's temporary directory, removed with everything in it.
class cartella_temporanea {
 public:
  cartella_temporanea() {
    std::random_device caso;
    fs::path radice = fs::temp_directory_path();
    do {
      percorso_ = testo_di(radice / ("scenario_tool_sources_" + std::to_string(caso())));
    } while (!fs::create_directory(percorso_di(percorso_)));
  }
  ~cartella_temporanea() {
    std::error_code ec;
    fs::remove_all(percorso_di(percorso_), ec);
  }
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;

  const std::string& percorso() const { return percorso_; }

 private:
  std::string percorso_;
};

struct file_incorporato {
  std::string nome;
  std::string contenuto;
};

// The five built-in files, by name, as the writers make them.
std::vector<file_incorporato> file_incorporati(std::ostream& errori) {
  cartella_temporanea t;
  PiattaformaConsole piattaforma(t.percorso(), nullptr, errori);
  Form1 form(piattaforma);
  form.nome_linea = linea_incorporata;
  form.nome_treno = treno_incorporato;
  form.dati_linea();
  form.dati_treno();
  form.dati_note();
  form.dati_rallentamenti();
  form.dati_scheda();
  std::vector<file_incorporato> file;
  for (const std::string& nome :
       {nome_file_linea(form.nome_linea), nome_file_servizio(form.nome_linea, form.nome_treno),
        nome_file_note(form.nome_linea, form.nome_treno), nome_file_rallentamenti(form.nome_linea, form.nome_treno),
        nome_file_scheda(form.nome_linea, form.nome_treno)}) {
    file.push_back({nome, leggi_file(percorso_in(t.percorso(), nome))});
  }
  return file;
}

// The built-in files that DIR lacks or holds otherwise; each that differs, unless
// `forza`, is named on `errori` and counted in `diversi`.
std::vector<file_incorporato> da_scrivere(const std::string& cartella, std::vector<file_incorporato> file, bool forza,
                                          std::ostream& errori, int& diversi) {
  std::vector<file_incorporato> scrivere;
  for (file_incorporato& f : file) {
    std::string percorso = percorso_in(cartella, f.nome);
    if (esiste_file(percorso) && leggi_file(percorso) == f.contenuto) continue;
    if (esiste_file(percorso) && !forza) {
      errori << "scenario_tool sources: " << percorso
             << " differs from the built-in file; not overwritten (--force overwrites it)\n";
      ++diversi;
    }
    scrivere.push_back(std::move(f));
  }
  return scrivere;
}

}  // namespace

int comando_sources(const std::vector<std::string>& argomenti, std::istream&, std::ostream&, std::ostream& errori) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, {{"--force", nullptr, false}}, r);
  if (sbaglio.empty() && r.operandi.size() != 1) sbaglio = "one DIR is needed";
  if (!sbaglio.empty()) return riferisci_sbaglio(errori, "sources", {sbaglio});
  const std::string& cartella = r.operandi[0];
  int diversi = 0;
  int stato = esegui_senza_compilare(
      [&] {
        fs::create_directories(percorso_di(cartella));
        blocco_cartella blocco(cartella);
        rimuovi_avanzi(cartella, nomi_file_corsa(linea_incorporata, treno_incorporato));
        std::vector<file_incorporato> file =
            da_scrivere(cartella, file_incorporati(errori), r.ha("--force"), errori, diversi);
        if (diversi > 0) return;
        for (const file_incorporato& f : file) scrivi_file(percorso_in(cartella, f.nome), f.contenuto);
      },
      errori, "scenario_tool");
  return stato == uscita_riuscita && diversi > 0 ? 1 : stato;
}
