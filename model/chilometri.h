// chilometri: a distance along the route, given in metres, written in kilometres. The
// one place where the programs turn metres into km: the language server's hover, outline
// and hints ("km 17.250"), the address of the view at a km ("#km=15.3") and the drawing's
// notes ("229.5 km").
#pragma once

#include <string>

enum class forma_km {
  tre_cifre,   // "17.250", "-0.050": the metres always as three digits
  senza_zeri,  // "15.3", "15": the metres' trailing zeros, and a bare point, dropped
  un_decimale  // "229.5": to the nearest 100 m, as the metres' double rounds
};

std::string in_chilometri(long long metri, forma_km forma);
