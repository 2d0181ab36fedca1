// The usage lines, the list of options and the whole help, written from the table.
#include "tool/aiuto.h"

#include <sstream>

#include "model/documentazione.h"

namespace {

// An option as a usage line shows it, by the name it is called there.
std::string nell_uso(const opzione_comando& o, const std::string& nome) {
  if (o.valore == nullptr) return nome;
  return nome + (o.uguale ? "=" : " ") + (o.nell_uso != nullptr ? o.nell_uso : o.valore);
}

const opzione_comando* opzione_chiamata(const comando& c, const std::string& nome) {
  for (const opzione_comando& o : c.opzioni) {
    if (nome == o.nome || (o.breve != nullptr && nome == o.breve)) return &o;
  }
  return nullptr;
}

// A word of a usage line: an option's name, in brackets or not, gets its value; an
// operand stays as it is.
std::string parola_uso(const comando& c, const std::string& parola) {
  bool tra_parentesi = parola.size() > 2 && parola.front() == '[' && parola.back() == ']';
  std::string nome = tra_parentesi ? parola.substr(1, parola.size() - 2) : parola;
  const opzione_comando* o = opzione_chiamata(c, nome);
  if (o == nullptr) return parola;
  if (!tra_parentesi) return nell_uso(*o, nome);
  // Built by appending: GCC 12 warns falsely (-Wrestrict) of a literal + a temporary.
  std::string tra = "[";
  tra += nell_uso(*o, nome);
  tra += ']';
  return tra;
}

// An option's names and value as its entry in the list begins: "-o, --output FILE",
// "--caret=WHEN".
std::string nomi_in_elenco(const opzione_comando& o) {
  std::string nomi = o.breve != nullptr ? std::string(o.breve) + ", " + o.nome : std::string(o.nome);
  if (o.valore != nullptr) {
    nomi += o.uguale ? '=' : ' ';
    nomi += o.valore;
  }
  return nomi;
}

// The list of options, with the text the table puts before its entries. An entry's
// text starts in column 17; after longer names it follows two spaces, or three where
// the entry names several options.
std::string elenco_opzioni(const comando& c) {
  std::string elenco, nomi;
  for (const opzione_comando& o : c.opzioni) {
    elenco += o.premessa;
    if (o.aiuto.empty() && !o.con_la_seguente) continue;
    if (!nomi.empty()) nomi += ", ";
    nomi += nomi_in_elenco(o);
    if (o.con_la_seguente) continue;
    size_t spazi = nomi.size() <= 13 ? 15 - nomi.size() : nomi.find(", ") != std::string::npos ? 3 : 2;
    elenco += "  " + nomi + std::string(spazi, ' ') + o.aiuto + "\n";
    nomi.clear();
  }
  return elenco;
}

}  // namespace

std::vector<std::string> righe_uso(const comando& c) {
  std::vector<std::string> righe;
  for (const char* uso : c.uso) {
    std::string riga = std::string("scenario_tool ") + c.nome;
    std::istringstream parole(uso);
    for (std::string p; parole >> p;) {
      riga += ' ';
      riga += parola_uso(c, p);
    }
    righe.push_back(riga);
  }
  return righe;
}

std::string aiuto_comando(const comando& c) {
  std::string testo;
  for (const std::string& r : righe_uso(c)) testo += (testo.empty() ? "usage: " : "       ") + r + "\n";
  testo += "\n" + c.descrizione;
  if (std::string elenco = elenco_opzioni(c); !elenco.empty()) testo += "\n" + elenco;
  return testo + c.coda;
}

std::string aiuto_generale() {
  std::string testo =
      "usage: scenario_tool SUBCOMMAND [OPTION]... [ARGUMENT]...\n"
      "       scenario_tool --help | --version\n\n"
      "The route author's command: it writes the built-in sources as examples, compiles\n"
      "sources of your own, and prints and draws what the compiler made.\n\n";
  for (const comando& c : comandi()) {
    std::string nome = c.nome;
    testo += "  " + nome + std::string(10 - nome.size(), ' ') + c.sommario + "\n";
  }
  return testo +
         "\nscenario_tool SUBCOMMAND --help tells more about each. Options take their value\n"
         "as --option VALUE or --option=VALUE. The source formats, every error code and a\n"
         "tutorial (docs/README.md), and the layouts of the compiled files\n"
         "(compiler/FORMATI.md), are in\n" SCENARIO_DOCUMENTAZIONE ".\n";
}
