// What the language server last published for each file: the diagnostics as sent,
// with what hover, code actions and go to definition need of them (the range, the
// fixes, the notes' places, the code or name), the generation they were computed from,
// and the files published with it (its partner). The diagnostics write it; the other
// requests only read it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lsp/protocollo.h"

// A diagnostic as published.
struct pubblicata {
  intervallo_lsp intervallo;
  json diagnostica;
  std::vector<std::pair<std::string, json>> correzioni;  // uri, TextEdit
  std::vector<json> note;                                   // Location
  std::string chi;                                          // the code or name, for the reference
};

struct diagnostiche_pubblicate {
  // Per uri.
  std::map<std::string, std::vector<pubblicata>> per_uri;
  std::map<std::string, uint64_t> generazione;
  std::map<std::string, std::set<std::string>> compagni;

  // The diagnostics published for `uri`, null when none ever were.
  const std::vector<pubblicata>* di(const std::string& uri) const {
    auto p = per_uri.find(uri);
    return p == per_uri.end() ? nullptr : &p->second;
  }
};
