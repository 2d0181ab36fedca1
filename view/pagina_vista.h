// The page of `view`: one HTML file with its style, script and data inline, which makes
// no request of any kind when opened from disk. The page itself is view/pagina.html,
// built into the program.
#pragma once

#include <string>

// The page for the data `dati_json` (dati_vista.h) under the title `titolo` (UTF-8).
// A live page also listens for new data from the server that sent it.
std::string pagina_vista(const std::string& dati_json, const std::string& titolo, bool dal_vivo = false);
