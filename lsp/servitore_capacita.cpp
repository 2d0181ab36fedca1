// The client's offer read, and the server's capabilities.
#include "lsp/servitore_capacita.h"

#include <string>

void leggi_offerta(const json& p, accordo_client& a) {
  const json generale = p.value("capabilities", json::object()).value("general", json::object());
  for (const json& c : generale.value("positionEncodings", json::array())) {
    if (c == "utf-8") a.codifica = codifica_posizioni::utf8;
  }
  // The older form of the same offer, which some clients still send.
  if (a.codifica == codifica_posizioni::utf16) {
    for (const json& c : p.value("capabilities", json::object()).value("offsetEncoding", json::array())) {
      if (c == "utf-8") a.codifica = codifica_posizioni::utf8, a.vecchia_offerta = true;
    }
  }
  const json completa = p.value("capabilities", json::object())
                            .value("textDocument", json::object())
                            .value("completion", json::object())
                            .value("completionItem", json::object());
  a.snippet = completa.value("snippetSupport", false);
  // The km beside each position is off unless the client's initialization options
  // ask for it: {"inlayHints": true}.
  const json& iniziali = p.contains("initializationOptions") ? p["initializationOptions"] : json::object();
  a.suggerimenti = iniziali.is_object() && iniziali.value("inlayHints", false) == true;
  a.mostra_documenti = p.value("capabilities", json::object())
                           .value("window", json::object())
                           .value("showDocument", json::object())
                           .value("support", false);
}

json capacita_servitore(const accordo_client& a, const opzioni_lsp& opzioni) {
  std::string nome_codifica = a.codifica == codifica_posizioni::utf8 ? "utf-8" : "utf-16";
  json risultato = {
      {"capabilities",
       {{"positionEncoding", nome_codifica},
        {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
        {"hoverProvider", true},
        {"completionProvider", {{"triggerCharacters", {"["}}}},
        {"documentSymbolProvider", true},
        {"workspaceSymbolProvider", true},
        {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
        {"definitionProvider", true}}},
      {"serverInfo", {{"name", "scenario_tool"}, {"version", opzioni.versione}}}};
  if (opzioni.apri_vista) {
    risultato["capabilities"]["executeCommandProvider"] = {{"commands", {"scenario.openView"}}};
  }
  if (a.vecchia_offerta) risultato["offsetEncoding"] = nome_codifica;
  if (a.suggerimenti) risultato["capabilities"]["inlayHintProvider"] = true;
  return risultato;
}
