// Keyword tests of the line and service files.
#include "loader/parole_chiave.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/maiuscole.h"

const char* const sezioni_linea[] = {"[generale]",  "[curve]", "[pendenze]", "[montagne]", "[cartelli]",
                                     "[indicazioni]", "[fine]",  nullptr};
const char* const sezioni_servizio[] = {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]",
                                        "[segnali]",  "[codici]",   "[fine]",       nullptr};

namespace {

bool entrambe(std::string_view campo, std::string_view a, std::string_view b) {
  return contiene(campo, a) && contiene(campo, b);
}

}  // namespace

std::vector<record_generale> record_generali(std::string_view campo) {
  std::string basso = minuscolo(campo);
  std::vector<record_generale> trovati;
  if (entrambe(basso, "lunghezza", "percorso")) trovati.push_back(record_generale::lunghezza_percorso);
  if (entrambe(campo, "tre", "progressiva")) trovati.push_back(record_generale::progressiva_tre);
  if (entrambe(campo, "due", "progressiva")) trovati.push_back(record_generale::progressiva_due);
  if (entrambe(campo, "uno", "progressiva")) trovati.push_back(record_generale::progressiva_uno);
  if (entrambe(campo, "sfondo", "uno")) trovati.push_back(record_generale::sfondo_uno);
  if (entrambe(campo, "sfondo", "due")) trovati.push_back(record_generale::sfondo_due);
  if (entrambe(campo, "sfondo", "tre")) trovati.push_back(record_generale::sfondo_tre);
  if (entrambe(campo, "segnali", "ripetizione")) trovati.push_back(record_generale::ripetizione_segnali);
  return trovati;
}

std::vector<record_corpo> record_del_corpo(std::string_view campo, bool con_tracciato) {
  std::string basso = minuscolo(campo);
  std::vector<record_corpo> trovati;
  if (contiene(basso, "pendenza")) trovati.push_back(record_corpo::pendenza);
  if (contiene(basso, "curva") && con_tracciato) trovati.push_back(record_corpo::curva);
  if (contiene(basso, "montagna")) trovati.push_back(record_corpo::montagna);
  if (contiene(basso, "indicatori_v")) trovati.push_back(record_corpo::indicatori_v);
  if (entrambe(basso, "indicat", "cartello")) trovati.push_back(record_corpo::cartello);
  return trovati;
}

std::vector<record_servizio> record_del_servizio(std::string_view campo) {
  std::string basso = minuscolo(campo);
  std::vector<record_servizio> trovati;
  if (entrambe(basso, "frenata", "massa")) trovati.push_back(record_servizio::massa_frenata);
  if (contiene(basso, "vetture")) trovati.push_back(record_servizio::vetture);
  if (contiene(basso, "velocit")) trovati.push_back(record_servizio::velocita);
  if (contiene(basso, "aderenza")) trovati.push_back(record_servizio::aderenza);
  if (contiene(basso, "orologio")) trovati.push_back(record_servizio::orologio);
  if (contiene(basso, "sabbia")) trovati.push_back(record_servizio::sabbia);
  if (contiene(basso, "segnale")) trovati.push_back(record_servizio::segnale);
  if (contiene(basso, "rallentamento")) trovati.push_back(record_servizio::rallentamento);
  if (contiene(basso, "abbattimento")) trovati.push_back(record_servizio::abbattimento);
  if (contiene(basso, "stazione")) trovati.push_back(record_servizio::stazione);
  return trovati;
}

bool e_generale(std::string_view campo) { return contiene_senza_maiuscole(campo, "[generale]"); }

bool chiude_parte_generale(std::string_view campo) {
  size_t primo = campo.find_first_not_of(" \t");
  bool trattino = primo != std::string_view::npos && campo[primo] == '-';
  return !trattino && contiene(campo, "[") && contiene(campo, "]");
}

int classe_curva(std::string_view chiave) {
  for (char cifra = '1'; cifra <= '6'; ++cifra) {
    if (chiave.find(cifra) != std::string_view::npos) return cifra - '0';
  }
  return 0;
}

bool curva_sinistra(std::string_view chiave) { return chiave.find_first_of("sS") != std::string_view::npos; }

int sistema_codici(std::string_view chiave) {
  if (contiene(chiave, "4")) return 4;
  if (contiene(chiave, "9")) return 9;
  return 0;
}

namespace {

// The edit distance with swaps of neighbours (optimal string alignment).
size_t distanza(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t cambio = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cambio});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string parola_vicina(std::string_view campo, std::span<const char* const> parole) {
  size_t inizio = campo.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  std::string cercato = minuscolo(campo.substr(inizio, campo.find_last_not_of(" \t") - inizio + 1));
  std::string migliore;
  size_t minima = std::min<size_t>(2, std::max<size_t>(1, cercato.size() / 4)) + 1;
  for (const char* parola : parole) {
    size_t d = distanza(cercato, parola);
    if (d < minima) {
      minima = d;
      migliore = parola;
    }
  }
  return migliore;
}
