// A platform for tests: a fresh temporary directory stands for the program's directory
// and is removed afterwards; the wait window and the message box are only recorded.
#pragma once

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "model/nomi_file.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"
#include "platform/piattaforma.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/testo_windows.h"
#else
#include <cerrno>
#include <cstring>
#endif

// The system's reason for a file that is not there; with `cartella_assente`, for one
// whose directory is not there either (Windows tells the two apart).
inline std::string motivo_assente(bool cartella_assente = false) {
#ifdef _WIN32
  return motivo_sistema(cartella_assente ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
#else
  (void)cartella_assente;
  return std::strerror(ENOENT);
#endif
}

class PiattaformaProva : public Piattaforma {
 public:
  PiattaformaProva() {
    std::random_device caso;
    auto radice = std::filesystem::temp_directory_path();
    do {
      cartella = testo_di(radice / ("scenario_prova_" + std::to_string(caso())));
    } while (!std::filesystem::create_directory(percorso_di(cartella)));
  }
  ~PiattaformaProva() override {
    std::error_code ec;
    std::filesystem::remove_all(percorso_di(cartella), ec);
  }
  PiattaformaProva(const PiattaformaProva&) = delete;
  PiattaformaProva& operator=(const PiattaformaProva&) = delete;

  void mostra_finestra(const std::string& etichetta) override { finestre.push_back(etichetta); }
  void mostra_messaggio(const std::string& testo) override { messaggi.push_back(testo); }
  std::string cartella_programma() const override { return cartella; }

  std::string percorso(const std::string& nome) const { return percorso_in(cartella, nome); }
  void scrivi(const std::string& nome, const std::string& contenuto) const { scrivi_file(percorso(nome), contenuto); }
  std::string leggi(const std::string& nome) const { return leggi_file(percorso(nome)); }
  bool esiste(const std::string& nome) const { return std::filesystem::exists(percorso_di(percorso(nome))); }
  // The names of every entry in the directory, sorted.
  std::vector<std::string> contenuto() const {
    std::vector<std::string> nomi;
    for (const auto& e : std::filesystem::directory_iterator(percorso_di(cartella))) {
      nomi.push_back(testo_di(e.path().filename()));
    }
    std::sort(nomi.begin(), nomi.end());
    return nomi;
  }

  std::string cartella;
  std::vector<std::string> finestre;
  std::vector<std::string> messaggi;
};
