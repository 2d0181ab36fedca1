// The two source files as the loader reaches them: by name, through the operations it
// needs (existence, whole read, deletion). On disk they are files of a directory; in
// memory they are texts that a checker or a fuzz target hands in, and that a deletion
// only forgets. Every failure is an `errore_file`, as on disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "model/limiti.h"
#include "platform/errore_file.h"

class sorgenti_scenario {
 public:
  virtual ~sorgenti_scenario() = default;
  virtual bool esiste(const std::string& nome) const = 0;
  virtual std::string leggi(const std::string& nome) const = 0;
  // A missing file is a failure.
  virtual void elimina(const std::string& nome) = 0;
  // Never fails: for cleaning up after another failure.
  virtual void elimina_se_esiste(const std::string& nome) noexcept = 0;
};

class sorgenti_su_disco : public sorgenti_scenario {
 public:
  explicit sorgenti_su_disco(std::string cartella) : cartella_(std::move(cartella)) {}
  bool esiste(const std::string& nome) const override;
  std::string leggi(const std::string& nome) const override;
  void elimina(const std::string& nome) override;
  void elimina_se_esiste(const std::string& nome) noexcept override;

 private:
  std::string cartella_;
};

class sorgenti_in_memoria;

// The two source files that `r` names, read from `cartella` into memory; a missing one
// is left out, for the loader to report.
struct richiesta_caricamento;
sorgenti_in_memoria leggi_sorgenti(const std::string& cartella, const richiesta_caricamento& r);

class sorgenti_in_memoria : public sorgenti_scenario {
 public:
  bool esiste(const std::string& nome) const override { return file.contains(nome); }
  std::string leggi(const std::string& nome) const override;
  void elimina(const std::string& nome) override;
  void elimina_se_esiste(const std::string& nome) noexcept override { file.erase(nome); }

  std::map<std::string, std::string> file;  // name -> content
};
