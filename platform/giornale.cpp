// The journal of a set being replaced: its text, the checks that a journal found in a
// folder is this program's and names only the set's files, and the completion or undoing
// of the replacement it names, on the system's primitives alone.
#include "platform/giornale.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <set>
#include <string_view>

#include "platform/errore_file.h"
#include "platform/nomi_temporanei.h"
#include "platform/sistema_file.h"

namespace giornale {

namespace {

constexpr std::string_view testa_giornale = "genera_scenario journal 1\n";
constexpr std::string_view coda_giornale = "end\n";
constexpr uint64_t giornale_massimo = 1 << 20;
constexpr size_t nome_mostrato_massimo = 64;

// A text that is no journal at all: where the earlier files may be.
errore_file guasto(const std::string& percorso) {
  return errore_file(percorso,
                     "not a journal of this program; the earlier files may be under their names followed by "
                     ".<16 hex digits>.tmp~");
}

// A journal that names what this program never writes, as `perche` says.
errore_file estraneo(const std::string& percorso, const std::string& perche) {
  return errore_file(percorso, "not a journal of this program (" + perche +
                                   "); nothing was renamed or removed, and runs stop here until it is removed");
}

// A name from a journal as it can stand in a line: at most 64 bytes, a control byte as
// \xNN.
std::string in_riga(const std::string& nome) {
  std::string testo;
  for (char carattere : std::string_view(nome).substr(0, nome_mostrato_massimo)) {
    auto c = static_cast<unsigned char>(carattere);
    if (c >= 0x20 && c != 0x7f) {
      testo += carattere;
    } else {
      testo += "\\x";
      testo += "0123456789abcdef"[c >> 4];
      testo += "0123456789abcdef"[c & 15];
    }
  }
  return nome.size() > nome_mostrato_massimo ? testo + "..." : testo;
}

// The names of a journal's text, three a member.
std::vector<std::string> nomi_del_testo(const std::string& percorso, const std::string& testo) {
  if (!testo.starts_with(testa_giornale) || !testo.ends_with(coda_giornale)) throw guasto(percorso);
  std::string_view corpo(testo);
  corpo = corpo.substr(testa_giornale.size(), corpo.size() - testa_giornale.size() - coda_giornale.size());
  std::vector<std::string> nomi;
  while (!corpo.empty()) {
    size_t fine = corpo.find('\0');
    if (fine == std::string_view::npos) throw guasto(percorso);
    nomi.emplace_back(corpo.substr(0, fine));
    corpo.remove_prefix(fine + 1);
  }
  if (nomi.size() % 3 != 0) throw guasto(percorso);
  return nomi;
}

// This program makes its temporary files and backups as regular files (a backup of a
// link is a copy): a link, a folder or a device under such a name is someone else's.
void controlla_tipo(const std::string& percorso, const std::string& cartella, const std::string& nome) {
  sistema::tipo_nome tipo = sistema::guarda_nome(in_cartella(cartella, nome));
  if (tipo == sistema::tipo_nome::collegamento) throw estraneo(percorso, in_riga(nome) + " is a link");
  if (tipo != sistema::tipo_nome::nessuno && tipo != sistema::tipo_nome::file) {
    throw estraneo(percorso, in_riga(nome) + " is not a regular file");
  }
}

// One member is taken when its file is one of `nomi` and its temporary and backup names
// are two different names of the pattern this program draws for that file.
void controlla_voce(const std::string& percorso, const std::string& cartella, const voce& v,
                    const std::vector<std::string>& nomi) {
  if (std::find(nomi.begin(), nomi.end(), v.finale) == nomi.end()) {
    throw estraneo(percorso, in_riga(v.finale) + " is no file of this set");
  }
  if (!temporaneo_di(v.temporaneo, v.finale)) {
    throw estraneo(percorso, in_riga(v.temporaneo) + " is no temporary name of " + v.finale);
  }
  if (!v.riserva.empty() && (!temporaneo_di(v.riserva, v.finale) || v.riserva == v.temporaneo)) {
    throw estraneo(percorso, in_riga(v.riserva) + " is no backup name of " + v.finale);
  }
  controlla_tipo(percorso, cartella, v.temporaneo);
  if (!v.riserva.empty()) controlla_tipo(percorso, cartella, v.riserva);
}

// The members of the journal of `cartella`, every one checked; nothing when there is no
// journal.
std::optional<std::vector<voce>> leggi_giornale(const std::string& cartella, const std::vector<std::string>& nomi) {
  std::string percorso = in_cartella(cartella, nome_giornale);
  sistema::tipo_nome tipo = sistema::guarda_nome(percorso);
  if (tipo == sistema::tipo_nome::nessuno) return std::nullopt;
  if (tipo == sistema::tipo_nome::collegamento) throw estraneo(percorso, "it is a link");
  if (tipo != sistema::tipo_nome::file) throw estraneo(percorso, "it is not a regular file");
  std::vector<std::string> testo = nomi_del_testo(percorso, sistema::leggi(percorso, giornale_massimo));
  std::vector<voce> voci;
  std::set<std::string> finali;
  for (size_t i = 0; i < testo.size(); i += 3) {
    voce v{testo[i], testo[i + 1], testo[i + 2]};
    controlla_voce(percorso, cartella, v, nomi);
    if (!finali.insert(v.finale).second) throw estraneo(percorso, in_riga(v.finale) + " is named twice");
    voci.push_back(std::move(v));
  }
  return voci;
}

void avvisa(const std::string& testo) { std::cerr << "warning: " << testo << '\n'; }

}  // namespace

std::string testo(const std::vector<voce>& voci) {
  std::string testo(testa_giornale);
  for (const voce& v : voci) {
    for (const std::string* nome : {&v.finale, &v.temporaneo, &v.riserva}) {
      testo += *nome;
      testo += '\0';
    }
  }
  testo += coda_giornale;
  return testo;
}

std::string dove_sono(const std::string& cartella, const std::vector<voce>& voci) {
  std::string testo;
  for (const voce& v : voci) {
    if (v.riserva.empty()) continue;
    try {
      if (sistema::guarda(in_cartella(cartella, v.riserva)) == sistema::voce::nessuna) continue;
    } catch (const errore_file&) {
    }
    testo += (testo.empty() ? "" : ", ") + v.finale + " as " + v.riserva;
  }
  if (testo.empty()) return "";
  return "; the earlier files are kept in " + cartella + ": " + testo + " (the next run puts them back)";
}

void annulla(const std::string& cartella, const std::vector<voce>& voci) {
  for (const voce& v : voci) {
    std::string finale = in_cartella(cartella, v.finale);
    std::string temporaneo = in_cartella(cartella, v.temporaneo);
    if (!v.riserva.empty()) {
      std::string riserva = in_cartella(cartella, v.riserva);
      if (sistema::guarda(riserva) == sistema::voce::nessuna) continue;
      if (sistema::guarda(temporaneo) != sistema::voce::nessuna) {
        // Never replaced (its new file is still under the temporary name): the earlier
        // file is still in place, and the backup is only a second name or copy of it.
        sistema::elimina(riserva);
        continue;
      }
      sistema::sostituisci(riserva, finale);
      // A backup that is the same file as the final one stays under its name after the
      // rename.
      sistema::elimina_se_esiste(riserva);
    } else if (sistema::guarda(temporaneo) == sistema::voce::nessuna) {
      if (sistema::guarda(finale) != sistema::voce::nessuna) sistema::elimina(finale);
    }
  }
  sistema::scarica_cartella(cartella);
  for (const voce& v : voci) sistema::elimina_se_esiste(in_cartella(cartella, v.temporaneo));
}

void rimuovi_riserve(const std::string& cartella, const std::vector<voce>& voci) {
  for (const voce& v : voci) {
    if (v.riserva.empty()) continue;
    std::string riserva = in_cartella(cartella, v.riserva);
    try {
      if (sistema::guarda(riserva) != sistema::voce::nessuna) sistema::elimina(riserva);
    } catch (const errore_file& e) {
      avvisa(riserva + ": the earlier file's backup could not be removed: " + e.motivo);
    }
  }
}

void rimuovi(const std::string& cartella) {
  std::string giornale = in_cartella(cartella, nome_giornale);
  try {
    sistema::elimina(giornale);
  } catch (const errore_file& e) {
    avvisa(giornale + ": could not be removed: " + e.motivo);
  }
}

void riprendi(const std::string& cartella, const std::vector<std::string>& nomi) {
  std::optional<std::vector<voce>> letto = leggi_giornale(cartella, nomi);
  if (!letto) return;
  const std::vector<voce>& voci = *letto;
  bool tutti_a_posto = true;
  for (const voce& v : voci) {
    if (sistema::guarda(in_cartella(cartella, v.temporaneo)) != sistema::voce::nessuna) tutti_a_posto = false;
  }
  if (tutti_a_posto) {
    rimuovi_riserve(cartella, voci);
  } else {
    try {
      annulla(cartella, voci);
    } catch (const errore_file& e) {
      throw errore_file(e.percorso, e.motivo + ", putting back the earlier set" + dove_sono(cartella, voci));
    }
  }
  rimuovi(cartella);
}

}  // namespace giornale
