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

// The edit distance with swaps of neighbours (optimal string alignment) when it is at
// most `limite`, else some value above `limite`: the table's values are cut at
// `limite + 1`, which leaves every smaller one exact, and the work stops at the first
// row with no value within the limit, after which none can be. `righe` holds three
// rows of `b.size() + 1` values, the two before and the one being filled.
size_t distanza_entro(std::string_view a, std::string_view b, size_t limite, std::span<size_t> righe) {
  const size_t oltre = limite + 1, n = b.size() + 1;
  std::span<size_t> due_prima = righe.subspan(0, n), prima = righe.subspan(n, n), riga = righe.subspan(2 * n, n);
  for (size_t j = 0; j < n; ++j) prima[j] = std::min(j, oltre);
  for (size_t i = 1; i <= a.size(); ++i) {
    riga[0] = std::min(i, oltre);
    size_t minimo = riga[0];
    for (size_t j = 1; j < n; ++j) {
      size_t cambio = a[i - 1] == b[j - 1] ? 0 : 1;
      size_t d = std::min({prima[j] + 1, riga[j - 1] + 1, prima[j - 1] + cambio});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d = std::min(d, due_prima[j - 2] + 1);
      riga[j] = std::min(d, oltre);
      minimo = std::min(minimo, riga[j]);
    }
    if (minimo == oltre) return oltre;
    std::swap(due_prima, prima);
    std::swap(prima, riga);
  }
  return prima[n - 1];
}

size_t piu_lunga(std::span<const char* const> parole) {
  size_t massima = 0;
  for (const char* parola : parole) massima = std::max(massima, std::string_view(parola).size());
  return massima;
}

}  // namespace

// A field no word is near enough to costs no more than its trimming: a word is at most
// two edits away, so its length is within two of the field's; and a word whose length
// is too far from the field's for the nearest distance so far is passed over.
std::string parola_vicina(std::string_view campo, std::span<const char* const> parole) {
  size_t inizio = campo.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  std::string_view parte = campo.substr(inizio, campo.find_last_not_of(" \t") - inizio + 1);
  const size_t massima = piu_lunga(parole);
  if (parte.size() > massima + 2) return {};
  std::string cercato = minuscolo(parte);
  std::string migliore;
  size_t minima = std::min<size_t>(2, std::max<size_t>(1, cercato.size() / 4)) + 1;
  std::vector<size_t> righe(3 * (massima + 1));
  for (const char* parola : parole) {
    std::string_view p(parola);
    size_t scarto = p.size() > cercato.size() ? p.size() - cercato.size() : cercato.size() - p.size();
    if (scarto >= minima) continue;
    size_t d = distanza_entro(cercato, p, minima - 1, righe);
    if (d < minima) {
      minima = d;
      migliore = parola;
    }
  }
  return migliore;
}
