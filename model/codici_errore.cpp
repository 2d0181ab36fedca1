// The meanings of the error codes.
#include "model/codici_errore.h"

std::string significato_codice(int32_t codice) {
  switch (codice) {
    case 1: return "route length above 1000000 m";
    case 2: return "a kilometre post's position or value is not a multiple of 50";
    case 3: return "cab-signalling start not a multiple of 50";
    case 4: return "cab-signalling end not a multiple of 50";
    case 5: return "cab-signalling key holds neither 4 nor 9";
    case 6: return "signboard on an occupied cell";
    case 7: return "code reduction on an occupied cell";
    case 8: return "station reference point not a multiple of 50";
    case 9: return "station length not a multiple of 100";
    case 10: return "the stations have reached the signboard entries of the table";
    case 11: return "no free cell for a code point before a signal behind a slowdown warning board";
    case 12: return "no free cell for a code point before a slowdown start";
    case 13: return "no free cell for a code point inside a slowdown or before the first signal after it";
    case 15: return "a position lies beyond the track grid";
    case 16: return "signal on an occupied cell";
    case 17: return "slowdown warning cell occupied";
    case 18: return "slowdown start cell occupied";
    case 19: return "slowdown end cell occupied";
    case 20: return "slowdown approach cell occupied";
    case 21: return "speed-indicator board on an occupied cell";
    case 22: return "station area begins less than 350 m after the previous one ends";
    case 24: return "stopping station's area ends at or before 100 m";
    case 25: return "the source files could not be loaded";
    case 101: return "line description file not found";
    case 102: return "no [generale] in the line description file";
    case 103: return "curve key without a class digit 1 to 6, or the plan beyond metre 1000000";
    default: return "unknown code";
  }
}
