// One JSON line of `dump --json`.
#include "decoder/stampa.h"

std::string riga_json(const oggetto_json& j) {
  // Every string was made UTF-8 before it was added; a stray byte would still be
  // replaced rather than end the output.
  return j.dump(-1, ' ', false, oggetto_json::error_handler_t::replace);
}
