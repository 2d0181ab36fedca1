// scenario_tool dump: decodes compiled files and prints them, as text or as JSON lines.
//
// Each file's kind comes from its name (NAME_linea.dat the plan, .sim the general
// table, any other .dat the track grid) unless --kind says it. A file that cannot be
// read or decoded is reported on standard error as FILE: byte OFFSET: what is wrong,
// and the others are still dumped; the status is then 1.
#include <charconv>
#include <ostream>

#include "platform/file_servizi.h"
#include "tool/decodifica.h"
#include "tool/scenario_tool.h"
#include "tool/stampa.h"

namespace {

enum class genere_file { ignoto, piano, tabella, griglia };

struct opzioni_dump {
  opzioni_stampa stampa;
  genere_file genere = genere_file::ignoto;
  std::vector<std::string> file;
};

constexpr const char* uso_dump =
    "usage: scenario_tool dump [--json] [--all] [--kind plan|table|grid] [--step METRES] FILE...\n";

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

// Reads the options; an empty text means they are right, otherwise it says what is wrong.
std::string leggi_opzioni(const std::vector<std::string>& argomenti, opzioni_dump& o) {
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    bool con_valore = a == "--kind" || a == "--step";
    if (con_valore && i + 1 >= argomenti.size()) return a + " needs a value";
    if (a == "--json") {
      o.stampa.json = true;
    } else if (a == "--all") {
      o.stampa.tutto = true;
    } else if (a == "--kind") {
      o.genere = genere_da_parola(argomenti[++i]);
      if (o.genere == genere_file::ignoto) return "--kind takes plan, table or grid";
    } else if (a == "--step") {
      if (!leggi_passo(argomenti[++i], o.stampa.passo)) return "--step takes a whole number of metres above 0";
    } else if (a.starts_with("--")) {
      return "unknown option " + a;
    } else {
      o.file.push_back(a);
    }
  }
  if (o.file.empty()) return "no FILE given";
  for (const std::string& f : o.file) {
    if (o.genere == genere_file::ignoto && genere_da_nome(f) == genere_file::ignoto) {
      return "cannot tell what " + f + " is from its name; give --kind";
    }
  }
  return "";
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

int comando_dump(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori) {
  opzioni_dump o;
  std::string sbaglio = leggi_opzioni(argomenti, o);
  if (!sbaglio.empty()) {
    errori << "scenario_tool dump: " << sbaglio << '\n' << uso_dump;
    return uscita_uso;
  }
  int stato = 0;
  for (const std::string& nome : o.file) {
    genere_file genere = o.genere != genere_file::ignoto ? o.genere : genere_da_nome(nome);
    try {
      stampa_file(nome, genere, leggi_file_limitato(nome, massimo_byte(genere)), o.stampa, uscita);
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
