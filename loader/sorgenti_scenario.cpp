// The kinds of source files: a directory's files through the file services, texts in
// memory, and texts in memory left as they are.
#include "loader/sorgenti_scenario.h"

#include <new>

#include "loader/esito_caricamento.h"

#include "model/nomi_file.h"
#include "platform/file_servizi.h"

bool sorgenti_su_disco::esiste(const std::string& nome) const { return esiste_file(percorso_in(cartella_, nome)); }

std::string sorgenti_su_disco::leggi(const std::string& nome) const {
  return leggi_file_limitato(percorso_in(cartella_, nome), sorgente_massima);
}

void sorgenti_su_disco::elimina(const std::string& nome) { elimina_file(percorso_in(cartella_, nome)); }

void sorgenti_su_disco::elimina_se_esiste(const std::string& nome) noexcept {
  ::elimina_se_esiste(percorso_in(cartella_, nome));
}

sorgenti_in_memoria leggi_sorgenti(const std::string& cartella, const richiesta_caricamento& r) {
  sorgenti_in_memoria sorgenti;
  for (const std::string& nome : {nome_file_linea(r.linea), nome_file_servizio(r.linea, r.treno)}) {
    std::string percorso = percorso_in(cartella, nome);
    // Something that is not a file under the name is read, to be refused with its reason.
    if (sistema::guarda(percorso) != sistema::voce::nessuna) {
      sorgenti.file[nome] = leggi_file_limitato(percorso, sorgente_massima);
    }
  }
  return sorgenti;
}

std::string sorgenti_in_memoria::leggi(const std::string& nome) const {
  auto f = file.find(nome);
  if (f == file.end()) throw errore_file(nome, "No such file or directory");
  return f->second;
}

void sorgenti_in_memoria::elimina(const std::string& nome) {
  if (file.erase(nome) == 0) throw errore_file(nome, "No such file or directory");
}

std::string sorgenti_intatte::leggi(const std::string& nome) const {
  if (!esiste(nome)) throw errore_file(nome, "No such file or directory");
  return testi_.at(nome);
}

void sorgenti_intatte::elimina(const std::string& nome) {
  if (!esiste(nome)) throw errore_file(nome, "No such file or directory");
  nascosti_.insert(nome);
}

// Without the memory to note the name the file stays in sight, which the cleanup after
// a failure, the one caller, does not mind.
void sorgenti_intatte::elimina_se_esiste(const std::string& nome) noexcept {
  try {
    nascosti_.insert(nome);
  } catch (const std::bad_alloc&) {
  }
}
