// Reading a subcommand's options and operands, and the lines of a wrong command line.
#include "tool/opzioni.h"

#include "tool/scenario_tool.h"

namespace {

const opzione* trova(const std::vector<opzione>& opzioni, const std::string& nome) {
  for (const opzione& o : opzioni) {
    if (nome == o.nome || (o.breve != nullptr && nome == o.breve)) return &o;
  }
  return nullptr;
}

}  // namespace

std::string leggi_riga(const std::vector<std::string>& argomenti, const std::vector<opzione>& opzioni, riga_letta& r) {
  bool solo_operandi = false;
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    if (solo_operandi || a == "-" || !a.starts_with("-")) {
      r.operandi.push_back(a);
      continue;
    }
    if (a == "--") {
      solo_operandi = true;
      continue;
    }
    size_t uguale = a.starts_with("--") ? a.find('=') : std::string::npos;
    std::string nome = a.substr(0, uguale);
    const opzione* o = trova(opzioni, nome);
    if (o == nullptr) return "unknown option " + nome;
    if (!o->con_valore) {
      if (uguale != std::string::npos) return std::string(o->nome) + " takes no value";
      r.presenti.insert(o->nome);
    } else if (uguale != std::string::npos) {
      r.valori[o->nome] = a.substr(uguale + 1);
    } else if (i + 1 < argomenti.size()) {
      r.valori[o->nome] = argomenti[++i];
    } else {
      return nome + " needs a value";
    }
  }
  return "";
}

bool e_aiuto(const std::string& argomento) {
#ifdef _WIN32
  if (argomento == "/?") return true;
#endif
  return argomento == "--help" || argomento == "-h";
}

bool chiede_aiuto(const std::vector<std::string>& argomenti) {
  for (const std::string& a : argomenti) {
    if (a == "--") return false;
    if (e_aiuto(a)) return true;
  }
  return false;
}

int riferisci_sbaglio(std::ostream& errori, const std::string& comando, const sbaglio_riga& s) {
  errori << (comando.empty() ? "scenario_tool: " : "scenario_tool " + comando + ": ") << s.motivo << '\n';
  if (!s.di_valore) errori << "Try 'scenario_tool " << (comando.empty() ? "" : comando + " ") << "--help'.\n";
  return uscita_uso;
}

sbaglio_riga controlla_nome(const std::string& opzione, const std::string& nome) {
  const std::string vietati("/\\\0", 3);
  if (!nome.empty() && nome != "." && nome != ".." && nome.find_first_of(vietati) == std::string::npos) return {};
  return {opzione + " takes a plain name: not empty, . or .., and without / or \\", true};
}
