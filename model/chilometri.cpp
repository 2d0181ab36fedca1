// Kilometres from metres: whole kilometres and the metres after the point, counted
// exactly in integers, except the one-decimal form, which rounds the quotient as a
// printed double does.
#include "model/chilometri.h"

#include <cstdio>

std::string in_chilometri(long long metri, forma_km forma) {
  if (forma == forma_km::un_decimale) {
    char testo[48];
    std::snprintf(testo, sizeof testo, "%.1f", static_cast<double>(metri) / 1000);
    return testo;
  }
  const std::string segno = metri < 0 ? "-" : "";
  const unsigned long long m = metri < 0 ? 0ULL - static_cast<unsigned long long>(metri)
                                         : static_cast<unsigned long long>(metri);
  std::string decimali = std::to_string(m % 1000);
  decimali.insert(0, 3 - decimali.size(), '0');
  if (forma == forma_km::senza_zeri) {
    while (!decimali.empty() && decimali.back() == '0') decimali.pop_back();
  }
  return segno + std::to_string(m / 1000) + (decimali.empty() ? "" : "." + decimali);
}
