// scenario_tool dump: decodes compiled files and prints them, as text or as JSON lines.
//
// Each file's kind comes from its name (NAME_linea.dat the plan, .sim the general
// table, any other .dat the track grid) unless --kind says it; "-" is standard input,
// whose kind --kind must give. A file that cannot be
// read or decoded is reported on standard error as FILE: byte OFFSET: what is wrong,
// and the others are still dumped; the status is then 1.
#include <algorithm>
#include <charconv>
#include <ostream>

#include "decoder/decodifica.h"
#include "decoder/stampa.h"
#include "platform/file_servizi.h"
#include "platform/flussi_standard.h"
#include "tool/comandi.h"
#include "tool/sottocomandi.h"

namespace {

const std::string nome_ingresso = "standard input";

enum class genere_file { ignoto, piano, tabella, griglia };

struct opzioni_dump {
  opzioni_stampa stampa;
  genere_file genere = genere_file::ignoto;
  std::vector<std::string> file;
};

genere_file genere_da_parola(const std::string& parola) {
  if (parola == "plan") return genere_file::piano;
  if (parola == "table") return genere_file::tabella;
  if (parola == "grid") return genere_file::griglia;
  return genere_file::ignoto;
}

genere_file genere_da_nome(const std::string& nome) {
  if (nome.ends_with("_linea.dat")) return genere_file::piano;
  if (nome.ends_with(".sim")) return genere_file::tabella;
  if (nome.ends_with(".dat")) return genere_file::griglia;
  return genere_file::ignoto;
}

bool leggi_passo(const std::string& testo, int64_t& passo) {
  auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), passo);
  return errore == std::errc() && fine == testo.data() + testo.size() && passo > 0;
}

// Reads the command line into `o`.
sbaglio_riga leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_dump& o) {
  riga_letta r;
  std::string sbaglio = leggi_riga(argomenti, opzioni_di("dump"), r);
  if (!sbaglio.empty()) return {sbaglio};
  o.stampa.json = r.ha("--json");
  o.stampa.tutto = r.ha("--all");
  if (r.valori.contains("--kind")) {
    o.genere = genere_da_parola(r.valori["--kind"]);
    if (o.genere == genere_file::ignoto) return {"--kind takes plan, table or grid", true};
  }
  if (r.valori.contains("--step") && !leggi_passo(r.valori["--step"], o.stampa.passo)) {
    return {"--step takes a whole number of metres above 0", true};
  }
  o.file = r.operandi;
  if (o.file.empty()) return {"no FILE given"};
  if (std::count(o.file.begin(), o.file.end(), "-") > 1) return {"standard input (-) can be read only once", true};
  for (const std::string& f : o.file) {
    if (o.genere != genere_file::ignoto) continue;
    if (f == "-") return {"standard input (-) needs --kind", true};
    if (genere_da_nome(f) == genere_file::ignoto)
      return {"cannot tell what " + f + " is from its name; give --kind", true};
  }
  return {};
}

// Standard input, whole, up to the size of the largest compiled file of its kind.
std::string leggi_ingresso(std::istream& ingresso, uint64_t massimo) {
  std::string byte;
  char blocco[65536];
  while (ingresso.read(blocco, sizeof blocco) || ingresso.gcount() > 0) {
    byte.append(blocco, static_cast<size_t>(ingresso.gcount()));
    if (byte.size() > massimo) throw errore_file(nome_ingresso, "larger than " + std::to_string(massimo) + " bytes");
  }
  if (ingresso.bad()) throw errore_file(nome_ingresso, "cannot be read");
  return byte;
}

uint64_t massimo_byte(genere_file genere) {
  switch (genere) {
    case genere_file::piano: return massimo_byte_piano;
    case genere_file::tabella: return massimo_byte_tabella;
    case genere_file::griglia: return massimo_byte_griglia;
    case genere_file::ignoto: break;
  }
  return 0;
}

void stampa_file(const std::string& nome, genere_file genere, const std::string& byte, const opzioni_stampa& o,
                 std::ostream& uscita) {
  switch (genere) {
    case genere_file::piano: stampa_piano(nome, byte.size(), decodifica_piano(byte), o, uscita); break;
    case genere_file::tabella: stampa_tabella(nome, byte.size(), decodifica_tabella(byte), o, uscita); break;
    case genere_file::griglia: stampa_griglia(nome, decodifica_griglia(byte), o, uscita); break;
    case genere_file::ignoto: break;
  }
}

}  // namespace

int comando_dump(const std::vector<std::string>& argomenti, std::istream& ingresso, std::ostream& uscita,
                 std::ostream& errori) {
  opzioni_dump o;
  if (sbaglio_riga s = leggi_opzioni(argomenti, o); s.presente()) return riferisci_sbaglio(errori, "dump", s);
  int stato = 0;
  for (const std::string& file : o.file) {
    genere_file genere = o.genere != genere_file::ignoto ? o.genere : genere_da_nome(file);
    const std::string& nome = file == "-" ? nome_ingresso : file;
    try {
      if (file == "-") {
        ingresso_binario();
        stampa_file(nome, genere, leggi_ingresso(ingresso, massimo_byte(genere)), o.stampa, uscita);
      } else {
        stampa_file(nome, genere, leggi_file_limitato(nome, massimo_byte(genere)), o.stampa, uscita);
      }
    } catch (const errore_file& e) {
      errori << nome << ": cannot read: " << e.motivo << '\n';
      stato = 1;
    } catch (const errore_decodifica& e) {
      errori << nome << ": byte " << e.offset << ": " << e.what() << '\n';
      stato = 1;
    }
  }
  return stato;
}
