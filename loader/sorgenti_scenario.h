// The two source files as the loader reaches them: by name, through the operations it
// needs (existence, whole read, deletion). On disk they are files of a directory; in
// memory they are texts that a checker or a fuzz target hands in, and that a deletion
// only forgets, or texts kept intact that a deletion only hides. Every failure is an
// `errore_file`, as on disk.
#pragma once

#include <cstdint>
#include <map>
#include <set>
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

// Texts in memory that a load reads without changing them: a deletion only hides a file
// from it, and nothing is copied but the file read. For whoever keeps the texts after
// the compilation (the check, compile's caret lines).
class sorgenti_intatte : public sorgenti_scenario {
 public:
  explicit sorgenti_intatte(const std::map<std::string, std::string>& testi) : testi_(testi) {}
  bool esiste(const std::string& nome) const override { return testi_.contains(nome) && !nascosti_.contains(nome); }
  std::string leggi(const std::string& nome) const override;
  void elimina(const std::string& nome) override;
  void elimina_se_esiste(const std::string& nome) noexcept override;

 private:
  const std::map<std::string, std::string>& testi_;
  std::set<std::string> nascosti_;
};
