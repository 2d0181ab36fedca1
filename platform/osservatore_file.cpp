// The watcher's common part, and the way that works everywhere: the size and time of
// each file looked at every 50 ms. A change within one tick of the file system's clock
// that keeps the size is missed by it; the system's ways miss nothing.
#include "platform/osservatore_file.h"

#include <filesystem>
#include <system_error>
#include <thread>

#include "model/nomi_file.h"
#include "platform/percorso.h"

namespace {

namespace fs = std::filesystem;

struct impronta {
  bool esiste = false;
  uintmax_t dimensione = 0;
  fs::file_time_type tempo{};
  bool operator==(const impronta&) const = default;
};

class sondaggio : public osservatore_file::modo {
 public:
  sondaggio(const std::string& cartella, const std::vector<std::string>& nomi) {
    for (const std::string& n : nomi) percorsi_.push_back(percorso_di(percorso_in(cartella, n)));
    impronte_ = guarda();
  }
  esito aspetta(std::chrono::milliseconds limite) override {
    auto fine = std::chrono::steady_clock::now() + limite;
    for (;;) {
      std::vector<impronta> ora = guarda();
      if (ora != impronte_) {
        impronte_ = std::move(ora);
        return esito::cambiato;
      }
      auto adesso = std::chrono::steady_clock::now();
      if (adesso >= fine) return esito::niente;
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(passo, fine - adesso));
    }
  }

 private:
  static constexpr std::chrono::milliseconds passo{50};
  std::vector<impronta> guarda() const {
    std::vector<impronta> v;
    for (const fs::path& p : percorsi_) {
      impronta i;
      std::error_code ec;
      i.esiste = fs::is_regular_file(p, ec);
      if (i.esiste) {
        i.dimensione = fs::file_size(p, ec);
        i.tempo = fs::last_write_time(p, ec);
      }
      v.push_back(i);
    }
    return v;
  }
  std::vector<fs::path> percorsi_;
  std::vector<impronta> impronte_;
};

}  // namespace

osservatore_file::osservatore_file(const std::string& cartella, std::vector<std::string> nomi, bool sondaggio_chiesto)
    : cartella_(cartella), nomi_(std::move(nomi)) {
  if (!sondaggio_chiesto) modo_ = osservatore_di_sistema(cartella_, nomi_);
  if (!modo_) {
    modo_ = std::make_unique<sondaggio>(cartella_, nomi_);
    sonda_ = true;
  }
}

osservatore_file::~osservatore_file() = default;

bool osservatore_file::sonda() const { return sonda_; }

bool osservatore_file::aspetta(std::chrono::milliseconds limite) {
  modo::esito e = modo_->aspetta(limite);
  if (e == modo::esito::perso) {
    // The system stopped watching (the folder was moved or removed): look in turn from
    // now on, and count this as a change.
    modo_ = std::make_unique<sondaggio>(cartella_, nomi_);
    sonda_ = true;
    return true;
  }
  return e == modo::esito::cambiato;
}
