// Writes the editor files that follow from the loader's tables: the TextMate grammars
// and snippets of the VS Code extension, and the Notepad++ user-defined language.
//
//   genera_editori EDITORS_DIR
//
// EDITORS_DIR is the repository's editors/ folder. The files are committed; CI runs this
// program and fails when they differ, so a keyword added to the loader reaches every
// editor. The output depends on the tables only: the same tables, the same bytes.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "loader/campi_record.h"
#include "loader/parole_chiave.h"
#include "lsp/conoscenza.h"
#include "model/nomi_file.h"

namespace {

using json = nlohmann::ordered_json;

// A keyword as the loader reads it in one part of a file.
struct parola_chiave {
  std::string parola;
  const forma_record* forma = nullptr;
  bool senza_maiuscole = false;  // the loader ignores letter case for it
};

std::vector<const forma_record*> record_di(tipo_sorgente tipo, parte_file parte, std::string_view campo) {
  std::vector<const forma_record*> r;
  if (tipo == tipo_sorgente::linea && parte == parte_file::generale) {
    for (record_generale g : record_generali(campo)) r.push_back(&forma(g));
  } else if (tipo == tipo_sorgente::linea) {
    for (record_corpo c : record_del_corpo(campo, true)) r.push_back(&forma(c));
  } else {
    for (record_servizio s : record_del_servizio(campo)) r.push_back(&forma(s));
  }
  return r;
}

std::string maiuscolo(std::string_view t) {
  std::string s(t);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// The keywords of a part, in the loader's order. Whether case is ignored is asked of
// the loader itself: the keyword in capitals must name the same records.
std::vector<parola_chiave> parole_di(tipo_sorgente tipo, parte_file parte) {
  std::vector<parola_chiave> parole;
  for (const parola_proposta& p : parole_per(tipo, parte, "")) {
    bool uguale = record_di(tipo, parte, maiuscolo(p.parola)) == record_di(tipo, parte, p.parola);
    parole.push_back({p.parola, p.forma, uguale});
  }
  return parole;
}

std::string senza_parentesi(const std::string& sezione) {
  return sezione.size() >= 2 && sezione.front() == '[' && sezione.back() == ']' ? sezione.substr(1, sezione.size() - 2)
                                                                                 : sezione;
}

std::string regex_letterale(std::string_view t) {
  std::string r;
  for (char c : t) {
    if (std::strchr("\\^$.|?*+()[]{}", c) != nullptr) r += '\\';
    r += c;
  }
  return r;
}

// An alternation of keywords, longest first: those for which the loader ignores case
// in one group that ignores it, then the others as written.
std::string alternativa(const std::vector<parola_chiave>& parole) {
  std::vector<parola_chiave> ordinate = parole;
  std::stable_sort(ordinate.begin(), ordinate.end(),
                   [](const parola_chiave& a, const parola_chiave& b) { return a.parola.size() > b.parola.size(); });
  std::string senza, con;
  for (const parola_chiave& p : ordinate) {
    std::string& r = p.senza_maiuscole ? senza : con;
    if (!r.empty()) r += '|';
    r += regex_letterale(p.parola);
  }
  if (senza.empty()) return con;
  std::string r = "(?i:";
  r += senza;
  r += ')';
  if (!con.empty()) {
    r += '|';
    r += con;
  }
  return r;
}

// Where a field ends: a comma, or the line end, after blanks.
const std::string fine_campo = R"((?=[ \t]*(?:,|$)))";

// The rules of the records of one part: the records with a text field first (the text
// is the field after the right number of commas), then every keyword.
json regole_record(const std::vector<parola_chiave>& parole, const std::string& parte) {
  json regole = json::array();
  std::vector<const forma_record*> fatte;
  for (const parola_chiave& p : parole) {
    for (int indice = 2; indice <= static_cast<int>(p.forma->campi.size()) + 1; ++indice) {
      if (!campo_di_testo(p.forma, indice)) continue;
      std::vector<parola_chiave> stesse;
      for (const parola_chiave& q : parole) {
        if (q.forma == p.forma) stesse.push_back(q);
      }
      if (std::find(fatte.begin(), fatte.end(), p.forma) != fatte.end()) continue;
      fatte.push_back(p.forma);
      std::string prima = std::string("(?:[ \\t]*,[^,\\r\\n]*){") + std::to_string(indice - 2) + "}[ \\t]*,";
      regole.push_back({{"comment", std::string(p.forma->nome) + ": " + p.forma->campi[static_cast<size_t>(indice - 2)] +
                                        " is text, to the next comma"},
                        {"match", std::string("^[ \\t]*(") + alternativa(stesse) + ")(" + prima + ")[ \\t]*([^,\\r\\n]*)"},
                        {"captures",
                         {{"1", {{"name", "keyword.other.record.scenario"}}},
                          {"2", {{"patterns", json::array({{{"include", "#valori"}}})}}},
                          {"3", {{"name", "string.unquoted.text.scenario"}}}}}});
    }
  }
  regole.push_back({{"comment", std::string("the keywords of ") + parte},
                    {"match", std::string("^[ \\t]*(") + alternativa(parole) + ")" + fine_campo},
                    {"captures", {{"1", {{"name", "keyword.other.record.scenario"}}}}}});
  return regole;
}

json intestazione(const std::vector<std::string>& sezioni) {
  std::string nomi;
  for (const std::string& s : sezioni) {
    if (!nomi.empty()) nomi += '|';
    nomi += regex_letterale(senza_parentesi(s));
  }
  return {{"patterns",
           json::array({{{"comment", "a section the loader knows"},
                         {"match", std::string("^[ \\t]*(\\[)((?i:") + nomi + "))(\\])" + fine_campo},
                         {"captures",
                          {{"1", {{"name", "punctuation.definition.section.begin.scenario"}}},
                           {"2", {{"name", "entity.name.section.scenario"}}},
                           {"3", {{"name", "punctuation.definition.section.end.scenario"}}}}}},
                        {{"comment", "any other header: a label the loader skips"},
                         {"match", std::string("^[ \\t]*(\\[)([^\\],\\r\\n]*)(\\])") + fine_campo},
                         {"captures",
                          {{"1", {{"name", "punctuation.definition.section.begin.scenario"}}},
                           {"2", {{"name", "entity.name.section.other.scenario"}}},
                           {"3", {{"name", "punctuation.definition.section.end.scenario"}}}}}}})}};
}

json ripetizioni_comuni(const std::vector<std::string>& sezioni) {
  json r;
  r["nota"] = {{"comment", "a remark: a first field with a hyphen is dropped by the loader"},
               {"match", "^(?=[^,\\r\\n]*-).*$"},
               {"name", "comment.line.remark.scenario"}};
  r["intestazione"] = intestazione(sezioni);
  r["valori"] = {
      {"patterns",
       json::array({{{"match", "(?<![^ \\t,])-?[0-9]+(?=[ \\t,]|$)"}, {"name", "constant.numeric.integer.scenario"}},
                    {{"match", ","}, {"name", "punctuation.separator.comma.scenario"}}})}};
  return r;
}

json grammatica_linea() {
  std::vector<std::string> sezioni = sezioni_di(tipo_sorgente::linea);
  json g;
  g["name"] = "Scenario line description";
  g["scopeName"] = "source.scenario.linea";
  g["comment"] = "Written by editors/genera_editori.cpp from the loader's tables; do not edit.";
  g["patterns"] = json::array({{{"include", "#nota"}},
                               {{"include", "#parte_generale"}},
                               {{"include", "#intestazione"}},
                               {{"include", "#record_corpo"}},
                               {{"include", "#valori"}}});
  json r = ripetizioni_comuni(sezioni);
  r["parte_generale"] = {
      {"comment", "from [generale] to the next header: the general part, with its own keywords"},
      {"begin", std::string("^[ \\t]*(\\[)((?i:generale))(\\])") + fine_campo},
      {"beginCaptures",
       {{"1", {{"name", "punctuation.definition.section.begin.scenario"}}},
        {"2", {{"name", "entity.name.section.scenario"}}},
        {"3", {{"name", "punctuation.definition.section.end.scenario"}}}}},
      {"end", "(?=^[ \\t]*\\[)"},
      {"patterns", json::array({{{"include", "#nota"}}, {{"include", "#record_generali"}}, {{"include", "#valori"}}})}};
  r["record_generali"] = {
      {"patterns", regole_record(parole_di(tipo_sorgente::linea, parte_file::generale), "the general part")}};
  r["record_corpo"] = {{"patterns", regole_record(parole_di(tipo_sorgente::linea, parte_file::corpo), "the body")}};
  g["repository"] = r;
  return g;
}

json grammatica_servizio() {
  std::vector<std::string> sezioni = sezioni_di(tipo_sorgente::servizio);
  json g;
  g["name"] = "Scenario service description";
  g["scopeName"] = "source.scenario.servizio";
  g["comment"] = "Written by editors/genera_editori.cpp from the loader's tables; do not edit.";
  g["patterns"] = json::array(
      {{{"include", "#nota"}}, {{"include", "#intestazione"}}, {{"include", "#record"}}, {{"include", "#valori"}}});
  json r = ripetizioni_comuni(sezioni);
  r["record"] = {{"patterns", regole_record(parole_di(tipo_sorgente::servizio, parte_file::corpo), "the file")}};
  g["repository"] = r;
  return g;
}

json snippet(const std::vector<parola_chiave>& parole) {
  json s = json::object();
  for (const parola_chiave& p : parole) {
    s[p.parola] = {{"prefix", p.parola},
                   {"body", snippet_record(p.parola, *p.forma)},
                   {"description", titolo_record(*p.forma)}};
  }
  return s;
}

std::string xml(std::string_view t) {
  std::string r;
  for (char c : t) {
    if (c == '&') {
      r += "&amp;";
    } else if (c == '<') {
      r += "&lt;";
    } else if (c == '>') {
      r += "&gt;";
    } else if (c == '"') {
      r += "&quot;";
    } else {
      r += c;
    }
  }
  return r;
}

// A keyword list of the user-defined language: words with a blank in double quotes.
std::string lista_udl(const std::vector<std::string>& parole) {
  std::string r;
  for (const std::string& p : parole) {
    if (!r.empty()) r += ' ';
    r += p.find(' ') == std::string::npos ? xml(p) : std::string("&quot;") + xml(p) + "&quot;";
  }
  return r;
}

// The keywords of the user-defined language: the line description's, the service
// description's, and whether the loader ignores letter case for every one of them.
struct parole_notepad {
  std::vector<std::string> linea, servizio;
  bool senza_maiuscole = true;
};

parole_notepad parole_della_lingua() {
  parole_notepad r;
  for (parte_file parte : {parte_file::generale, parte_file::corpo}) {
    for (const parola_chiave& p : parole_di(tipo_sorgente::linea, parte)) {
      r.linea.push_back(p.parola);
      r.senza_maiuscole = r.senza_maiuscole && p.senza_maiuscole;
    }
  }
  for (const parola_chiave& p : parole_di(tipo_sorgente::servizio, parte_file::corpo)) {
    r.servizio.push_back(p.parola);
    r.senza_maiuscole = r.senza_maiuscole && p.senza_maiuscole;
  }
  return r;
}

// The language's opening and its settings: the built-in route's two files by name.
std::string apertura_notepad(bool senza_maiuscole) {
  std::string t;
  t += "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";
  t += "<!-- Written by editors/genera_editori.cpp from the loader's tables; do not edit. -->\n";
  t += "<!-- Import: Language > User Defined Language > Define your language... > Import... -->\n";
  t += "<NotepadPlus>\n";
  t += "    <UserLang name=\"Scenario\" ext=\"";
  t += xml(nome_file_linea(linea_incorporata));
  t += ' ';
  t += xml(nome_file_servizio(linea_incorporata, treno_incorporato));
  t += "\" udlVersion=\"2.1\">\n";
  t += "        <Settings>\n";
  // Case is ignored only where the loader ignores it for every keyword.
  t += std::string("            <Global caseIgnored=\"") + (senza_maiuscole ? "yes" : "no") +
       "\" allowFoldOfComments=\"no\" foldCompact=\"no\" forcePureLC=\"1\" decimalSeparator=\"0\" />\n";
  t += "            <Prefix Keywords1=\"no\" Keywords2=\"no\" Keywords3=\"no\" Keywords4=\"no\" Keywords5=\"no\" "
       "Keywords6=\"no\" Keywords7=\"no\" Keywords8=\"no\" />\n";
  t += "        </Settings>\n";
  return t;
}

// The keyword lists: a remark, the comma, the two files' keywords, the header's brackets.
std::string liste_notepad(const parole_notepad& parole) {
  std::string t = "        <KeywordLists>\n";
  auto lista = [&t](const char* nome, const std::string& valore) {
    t += "            <Keywords name=\"";
    t += nome;
    t += "\">";
    t += valore;
    t += "</Keywords>\n";
  };
  lista("Comments", "00- 01 02 03 04");
  for (const char* n : {"Numbers, prefix1", "Numbers, prefix2", "Numbers, extras1", "Numbers, extras2",
                        "Numbers, suffix1", "Numbers, suffix2", "Numbers, range"}) {
    lista(n, "");
  }
  lista("Operators1", ",");
  lista("Operators2", "");
  for (const char* n : {"Folders in code1, open", "Folders in code1, middle", "Folders in code1, close",
                        "Folders in code2, open", "Folders in code2, middle", "Folders in code2, close",
                        "Folders in comment, open", "Folders in comment, middle", "Folders in comment, close"}) {
    lista(n, "");
  }
  lista("Keywords1", lista_udl(parole.linea));
  lista("Keywords2", lista_udl(parole.servizio));
  for (const char* n : {"Keywords3", "Keywords4", "Keywords5", "Keywords6", "Keywords7", "Keywords8"}) lista(n, "");
  lista("Delimiters", "00[ 01 02] 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23");
  t += "        </KeywordLists>\n";
  return t;
}

// The styles: keywords bold blue, remarks italic green, headers bold purple.
std::string stili_notepad() {
  struct stile {
    const char* nome;
    const char* colore;
    int forma;  // 0 plain, 1 bold, 2 italic
  };
  const stile stili[] = {
      {"DEFAULT", "000000", 0},        {"COMMENTS", "008000", 2},     {"LINE COMMENTS", "008000", 2},
      {"NUMBERS", "FF8000", 0},        {"KEYWORDS1", "0000FF", 1},    {"KEYWORDS2", "0000FF", 1},
      {"KEYWORDS3", "000000", 0},      {"KEYWORDS4", "000000", 0},    {"KEYWORDS5", "000000", 0},
      {"KEYWORDS6", "000000", 0},      {"KEYWORDS7", "000000", 0},    {"KEYWORDS8", "000000", 0},
      {"OPERATORS", "808080", 0},      {"FOLDER IN CODE1", "000000", 0}, {"FOLDER IN CODE2", "000000", 0},
      {"FOLDER IN COMMENT", "000000", 0}, {"DELIMITERS1", "800080", 1}, {"DELIMITERS2", "000000", 0},
      {"DELIMITERS3", "000000", 0},    {"DELIMITERS4", "000000", 0},  {"DELIMITERS5", "000000", 0},
      {"DELIMITERS6", "000000", 0},    {"DELIMITERS7", "000000", 0},  {"DELIMITERS8", "000000", 0},
  };
  std::string t = "        <Styles>\n";
  for (const stile& s : stili) {
    t += "            <WordsStyle name=\"";
    t += s.nome;
    t += "\" fgColor=\"";
    t += s.colore;
    t += "\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"";
    t += std::to_string(s.forma);
    t += "\" nesting=\"0\" />\n";
  }
  t += "        </Styles>\n";
  return t;
}

// One language for both files: Notepad++ picks a language by extension or by whole
// file name, never by a pattern, so the built-in route's two files are named and any
// other route's are added to the list or given the language from the Language menu.
// Keywords1 are the line description's, Keywords2 the service description's; a header
// is a delimiter from [ to ]; a remark is a line that begins with a hyphen (most
// remarks do).
std::string lingua_notepad() {
  parole_notepad parole = parole_della_lingua();
  return apertura_notepad(parole.senza_maiuscole) + liste_notepad(parole) + stili_notepad() +
         "    </UserLang>\n</NotepadPlus>\n";
}

bool scrivi(const std::filesystem::path& file, const std::string& testo) {
  std::error_code errore;
  std::filesystem::create_directories(file.parent_path(), errore);
  std::ofstream uscita(file, std::ios::binary | std::ios::trunc);
  uscita << testo;
  uscita.close();
  if (!uscita) {
    std::cerr << "genera_editori: cannot write " << file.string() << "\n";
    return false;
  }
  return true;
}

std::string testo_json(const json& j) { return j.dump(2) + "\n"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: genera_editori EDITORS_DIR\n";
    return 64;
  }
  std::filesystem::path cartella = argv[1];
  std::vector<parola_chiave> linea = parole_di(tipo_sorgente::linea, parte_file::generale);
  for (const parola_chiave& p : parole_di(tipo_sorgente::linea, parte_file::corpo)) linea.push_back(p);
  bool fatto = scrivi(cartella / "vscode/syntaxes/scenario-linea.tmLanguage.json", testo_json(grammatica_linea())) &&
               scrivi(cartella / "vscode/syntaxes/scenario-servizio.tmLanguage.json",
                      testo_json(grammatica_servizio())) &&
               scrivi(cartella / "vscode/snippets/scenario-linea.json", testo_json(snippet(linea))) &&
               scrivi(cartella / "vscode/snippets/scenario-servizio.json",
                      testo_json(snippet(parole_di(tipo_sorgente::servizio, parte_file::corpo)))) &&
               scrivi(cartella / "notepad++/scenario.xml", lingua_notepad());
  return fatto ? 0 : 1;
}
