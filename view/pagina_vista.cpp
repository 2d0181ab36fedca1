// The page of `view`, from the template view/pagina.html (built in by CMake as
// pagina_vista.inc): its three marks {{TITLE}}, {{DATA}} and {{LIVE}} are filled in,
// in one pass over the template, so nothing in the data is taken for a mark.
#include "view/pagina_vista.h"

#include <string_view>

namespace {

constexpr std::string_view modello =
#include "pagina_vista.inc"
    ;

std::string testo_html(const std::string& utf8) {
  std::string h;
  for (char c : utf8) {
    switch (c) {
      case '&': h += "&amp;"; break;
      case '<': h += "&lt;"; break;
      case '>': h += "&gt;"; break;
      case '"': h += "&quot;"; break;
      default: h += c;
    }
  }
  return h;
}

}  // namespace

std::string pagina_vista(const std::string& dati_json, const std::string& titolo, bool dal_vivo) {
  std::string pagina;
  pagina.reserve(modello.size() + dati_json.size());
  size_t da = 0;
  for (size_t p = modello.find("{{"); p != std::string_view::npos; p = modello.find("{{", da)) {
    size_t fine = modello.find("}}", p);
    if (fine == std::string_view::npos) break;
    std::string_view marca = modello.substr(p + 2, fine - p - 2);
    pagina.append(modello.substr(da, p - da));
    if (marca == "TITLE") {
      pagina += testo_html(titolo);
    } else if (marca == "DATA") {
      pagina += dati_json;
    } else if (marca == "LIVE") {
      pagina += dal_vivo ? "true" : "false";
    } else {
      pagina.append(modello.substr(p, fine + 2 - p));
    }
    da = fine + 2;
  }
  pagina.append(modello.substr(da));
  return pagina;
}
