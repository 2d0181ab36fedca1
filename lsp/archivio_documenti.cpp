// Open documents, their changes, and their partners found among the open buffers and
// on the disk.
#include "lsp/archivio_documenti.h"

#include <algorithm>
#include <filesystem>

#include "model/limiti.h"
#include "model/nomi_file.h"
#include "platform/file_servizi.h"
#include "platform/percorso.h"

namespace {

// The most names of a folder looked at.
constexpr int limite_nomi_cartella = 20000;

std::string codifica_nome(const std::string& nome) {
  std::string u = uri_da_percorso("/" + nome);  // "file:///NAME" with NAME encoded
  return u.substr(8);
}

// Why a source file of `byte` bytes may not be checked, in the words of the loader's
// refusal; empty when it may.
std::string rifiuto_misura(uint64_t byte) {
  return byte > sorgente_massima ? "larger than " + std::to_string(sorgente_massima) + " bytes" : std::string();
}

// A partner file from the disk into `f`, as the loader reads it: its text, or why it is
// refused (over the size limit, not a regular file), before any byte is read; nothing
// when no file is there.
void leggi_disco(const std::string& percorso, file_coppia& f) {
  try {
    if (sistema::guarda(percorso) == sistema::voce::nessuna) return;
    f.testo = testo_sorgente::da_windows_1252(leggi_file_limitato(percorso, sorgente_massima));
  } catch (const errore_file& e) {
    f.rifiuto = e.motivo;
  }
}

std::vector<std::string> nomi_cartella(const std::string& cartella) {
  std::vector<std::string> nomi;
  std::error_code ec;
  std::filesystem::directory_iterator it(percorso_di(cartella), ec), fine;
  for (int n = 0; !ec && it != fine && n < limite_nomi_cartella; it.increment(ec), ++n) {
    std::string nome = testo_di(it->path().filename());
    if (tipo_di(nome) != tipo_sorgente::altro) nomi.push_back(nome);
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

}  // namespace

void archivio_documenti::apri(const std::string& uri, std::string utf8, int64_t versione) {
  documenti_[uri] = std::make_shared<const documento>(
      documento{testo_sorgente::da_utf8(std::move(utf8)), versione, ++generazione_});
  da_controllare_.insert(uri);
}

void archivio_documenti::cambia(const std::string& uri, const std::vector<cambiamento>& cambiamenti,
                                int64_t versione, codifica_posizioni codifica) {
  auto d = documenti_.find(uri);
  if (d == documenti_.end()) return;  // a file never opened
  std::string testo = d->second->testo.utf8();
  for (const cambiamento& c : cambiamenti) {
    if (!c.dove) {
      testo = c.testo;
      continue;
    }
    testo_sorgente attuale = testo_sorgente::da_utf8(testo);
    size_t inizio = attuale.offset_utf8(c.dove->inizio, codifica);
    size_t fine = std::max(inizio, attuale.offset_utf8(c.dove->fine, codifica));
    testo.replace(inizio, fine - inizio, c.testo);
  }
  d->second = std::make_shared<const documento>(
      documento{testo_sorgente::da_utf8(std::move(testo)), versione, ++generazione_});
  da_controllare_.insert(uri);
}

void archivio_documenti::salvato(const std::string& uri) {
  if (documenti_.contains(uri)) da_controllare_.insert(uri);
}

void archivio_documenti::chiudi(const std::string& uri) {
  documenti_.erase(uri);
  da_controllare_.erase(uri);
}

const documento* archivio_documenti::aperto(const std::string& uri) const {
  auto d = documenti_.find(uri);
  return d == documenti_.end() ? nullptr : d->second.get();
}

std::set<std::string> archivio_documenti::prendi_da_controllare() {
  std::set<std::string> presi;
  presi.swap(da_controllare_);
  return presi;
}

coppia_trovata coppia_di(const documenti_aperti& documenti, const std::string& uri, bool legge_disco) {
  const std::string cartella = cartella_uri(uri);
  const std::string nome = nome_uri(uri);
  tipo_sorgente tipo = tipo_di(nome);
  std::optional<std::string> cartella_disco = percorso_da_uri(cartella + "x");
  if (cartella_disco) cartella_disco->pop_back();
  if (!legge_disco) cartella_disco.reset();
  // The names at hand: the open buffers of the folder first (they win), then the disk.
  std::vector<std::string> candidati;
  for (const auto& [u, d] : documenti) {
    if (cartella_uri(u) == cartella) candidati.push_back(nome_uri(u));
  }
  if (cartella_disco) {
    for (std::string& n : nomi_cartella(*cartella_disco)) candidati.push_back(std::move(n));
  }
  nomi_coppia nomi = tipo == tipo_sorgente::linea ? nomi_da_linea(nome, candidati) : nomi_da_servizio(nome, candidati);
  coppia_trovata c{nomi.linea, nomi.treno.empty() ? std::string("?") : nomi.treno, nomi.treno.empty(), {}};
  const std::string nome_linea = nome_file_linea(c.linea);
  const std::string nome_servizio = nome_file_servizio(c.linea, c.treno);
  for (const std::string& n : {nome_linea, nome_servizio}) {
    file_coppia f{n, cartella + codifica_nome(n), std::nullopt, 0, {}};
    // An open buffer by its name, however the editor wrote its uri.
    for (const auto& [u, d] : documenti) {
      if (cartella_uri(u) == cartella && nome_uri(u) == n) f.uri = u;
    }
    if (auto a = documenti.find(f.uri); a != documenti.end()) {
      const documento* d = a->second.get();
      f.testo = d->testo;
      f.generazione = d->generazione;
      f.rifiuto = rifiuto_misura(d->testo.byte().size());
    } else if (cartella_disco && !(n == nome_servizio && c.da_sola)) {
      leggi_disco(percorso_in(*cartella_disco, n), f);
    }
    c.files.push_back(std::move(f));
  }
  return c;
}
