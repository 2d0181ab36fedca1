// Writes the two source files of a generated route of the length given in km into a
// folder, under the built-in route and train names, for the benchmarks that drive the
// programs from outside (the language server, the view).
//
//   scenario_sintetico KM FOLDER
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/percorso_sintetico.h"
#include "model/nomi_file.h"
#include "sources/testi_sorgenti.h"

namespace {

bool scrivi(const std::string& percorso, const std::string& testo) {
  std::ofstream f(percorso, std::ios::binary);
  f << testo;
  f.close();
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: scenario_sintetico KM FOLDER\n");
    return 64;
  }
  const int km = std::atoi(argv[1]);
  if (km <= 0 || km > 5000) {
    std::fprintf(stderr, "scenario_sintetico: a length from 1 to 5000 km\n");
    return 64;
  }
  sorgenti_sintetiche s = percorso_sintetico(km * 1000, testo_linea(), testo_servizio());
  const std::string cartella = argv[2];
  if (!scrivi(cartella + "/" + nome_file_linea(linea_incorporata), s.linea) ||
      !scrivi(cartella + "/" + nome_file_servizio(linea_incorporata, treno_incorporato), s.servizio)) {
    std::perror("scenario_sintetico");
    return 2;
  }
  return 0;
}
