// Reading a subcommand's options and operands, and the lines of a wrong command line.
#include "tool/opzioni.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "model/nomi_file.h"
#include "model/stati_uscita.h"
#include "platform/percorso.h"

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
  if (s.di_sistema) return uscita_fallita;
  if (!s.di_valore) errori << "Try 'scenario_tool " << (comando.empty() ? "" : comando + " ") << "--help'.\n";
  return uscita_uso;
}

sbaglio_riga controlla_nome(const std::string& opzione, const std::string& nome) {
  const std::string vietati("/\\\0", 3);
  if (!nome.empty() && nome != "." && nome != ".." && nome.find_first_of(vietati) == std::string::npos) return {};
  return {opzione + " takes a plain name: not empty, . or .., and without / or \\", true};
}

namespace {

std::string in_minuscolo(std::string testo) {
  for (char& c : testo) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return testo;
}

}  // namespace

sbaglio_riga leggi_nomi(const riga_letta& r, std::string& linea, std::string& treno, bool& dati) {
  if (auto v = r.valori.find("--line"); v != r.valori.end()) linea = v->second;
  if (auto v = r.valori.find("--train"); v != r.valori.end()) treno = v->second;
  dati = r.valori.contains("--line") || r.valori.contains("--train");
  return controlla_nomi(linea, treno);
}

sbaglio_riga controlla_nomi(const std::string& linea, const std::string& treno) {
  if (sbaglio_riga s = controlla_nome("--line", linea); s.presente()) return s;
  if (sbaglio_riga s = controlla_nome("--train", treno); s.presente()) return s;
  std::vector<std::string> nomi = nomi_file_corsa(linea, treno);
  const std::string& lungo = *std::max_element(
      nomi.begin(), nomi.end(), [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  if (lungo.size() > nome_file_massimo) {
    return {"--line and --train make a file name of " + std::to_string(lungo.size()) + " bytes, " + lungo +
                "; at most " + std::to_string(nome_file_massimo) + " are possible",
            true};
  }
  for (size_t i = 0; i < nomi.size(); ++i) {
    for (size_t j = i + 1; j < nomi.size(); ++j) {
      if (in_minuscolo(nomi[i]) == in_minuscolo(nomi[j])) {
        return {"--line " + linea + " and --train " + treno + " give two files one name, " + nomi[j], true};
      }
    }
  }
  return {};
}

sbaglio_riga controlla_cartella(const std::string& etichetta, const std::string& cartella, bool puo_mancare) {
  std::error_code ec;
  std::filesystem::file_status stato = std::filesystem::status(percorso_di(cartella), ec);
  if (std::filesystem::is_directory(stato)) return {};
  bool manca = stato.type() == std::filesystem::file_type::not_found;
  if (ec && !manca) return {etichetta + " " + cartella + ": " + ec.message(), true, true};
  if (manca && puo_mancare) return {};
  return {etichetta + " " + cartella + " is not a directory", true};
}

sbaglio_riga leggi_attesa(const std::string& valore, std::chrono::milliseconds& attesa) {
  if (valore.empty() || valore.size() > 6 || valore.find_first_not_of("0123456789") != std::string::npos) {
    return {"--wait takes a number of seconds", true};
  }
  attesa = std::chrono::seconds(std::stoi(valore));
  return {};
}

std::function<void()> di_che_si_attende(std::ostream& errori, const std::string& cartella,
                                        std::chrono::milliseconds attesa) {
  return [&errori, cartella, attesa] {
    errori << "scenario_tool: another run is writing " << cartella << "; waiting for it (at most "
           << std::chrono::duration_cast<std::chrono::seconds>(attesa).count() << " s)" << std::endl;
  };
}
