// The largest service files, one per shape of faulty line.
#include "bench/sorgenti_grandi.h"

#include <cstddef>

#include "loader/sorgenti_scenario.h"

const std::vector<forma_grande>& forme_grandi() {
  static const std::vector<forma_grande> forme{
      {"lunghe", std::string(6000, 'x') + "\r\n"},
      {"medie", std::string(600, 'x') + "\r\n"},
      {"corte", "xxxx, 1, 2\r\n"},
      {"vuoti", "orologio,,,\r\n"},
      {"illeggibili", "velocita,  x,  1\r\n"},
  };
  return forme;
}

std::string servizio_grande(const forma_grande& forma, const std::string& servizio_incorporato) {
  const size_t fine = servizio_incorporato.find("[fine]");
  const size_t righe = (sorgente_massima - servizio_incorporato.size()) / forma.riga.size();
  std::string s = servizio_incorporato.substr(0, fine);
  s.reserve(sorgente_massima);
  for (size_t k = 0; k < righe; ++k) s += forma.riga;
  return s + servizio_incorporato.substr(fine);
}
