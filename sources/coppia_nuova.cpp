// The texts of the starting pair, one record a line.
#include "sources/coppia_nuova.h"

std::string linea_nuova(const std::string& linea) {
  return "-- " + linea +
         ": a route of 6 km to start from. One record a line: a keyword and its values --\r\n"
         "-- separated by commas. docs/sources.md gives every record and field. --\r\n"
         "[generale]\r\n"
         "-- the route length in metres: the track grid reaches 7000 m beyond it --\r\n"
         "lunghezza percorso,    6000\r\n"
         "-- kilometre posts: position - value shown - flag; all 0 for none --\r\n"
         "progressiva chilometrica uno,    0,    0,    0\r\n"
         "progressiva chilometrica due,    0,    0,    0\r\n"
         "progressiva chilometrica tre,    0,    0,    0\r\n"
         "-- scenery backgrounds --\r\n"
         "sfondo uno,    1\r\n"
         "sfondo due,    0\r\n"
         "sfondo tre,    0\r\n"
         "-- cab signalling from - to in metres; an end of 0 means none --\r\n"
         "ripetizione segnali 9 codici,    0,    0\r\n"
         "[curve]\r\n"
         "-- curvad3: a right-hand curve of class 3 - start and length in metres --\r\n"
         "curvad3,  2000,  500\r\n"
         "[pendenze]\r\n"
         "-- gradients in per mille from a position on - in ascending order --\r\n"
         "pendenza,     0,    0\r\n"
         "pendenza,  3000,    5\r\n"
         "[fine]\r\n";
}

std::string servizio_nuovo(const std::string& linea, const std::string& treno) {
  return "-- " + treno + " on " + linea +
         ": the service with a station at each end - a signal - a speed limit --\r\n"
         "[generale]\r\n"
         "numero vetture,    6\r\n"
         "percentuale massa frenata,    120\r\n"
         "sabbia,    100\r\n"
         "-- the clock at the start: hours minutes seconds --\r\n"
         "orologio,    8  0  0\r\n"
         "[aderenze]\r\n"
         "aderenza,     0,    80\r\n"
         "[vel_limite]\r\n"
         "-- speed limits: from a position on in km/h - in ascending order --\r\n"
         "velocita,     0,    30\r\n"
         "velocita,   600,   100\r\n"
         "[stazioni]\r\n"
         "-- position - kind (8 origin - 6 terminus) - length - 13 stored values - time - name --\r\n"
         "stazione,     0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   8, 0, 0, PARTENZA\r\n"
         "stazione,  5000,  6,  600,  0, 0, 0,  0,0,0,  4,1,1,    0,   8, 6, 0, ARRIVO\r\n"
         "[segnali]\r\n"
         "-- position - left side kind and group - packing - right side kind and group - time --\r\n"
         "segnale,  2500,  2, 3, 1,  1, 0,  0,  0,0,0, 0\r\n"
         "[fine]\r\n";
}
