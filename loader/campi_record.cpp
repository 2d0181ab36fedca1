// The fields of every record, named as docs/sources.md describes them.
#include "loader/campi_record.h"

#include <array>

namespace {

using campi = std::span<const char* const>;

constexpr const char* lunghezza[] = {"the route length in metres"};
constexpr const char* progressiva[] = {"its position in metres", "the kilometre value shown there, in metres",
                                       "its flag (1 adds 100 to the value)"};
constexpr const char* sfondo[] = {"the background number"};
constexpr const char* ripetizione[] = {"the start of cab signalling in metres", "its end in metres"};
constexpr const char* pendenza[] = {"its position in metres", "the gradient in per mille"};
constexpr const char* curva[] = {"its start in metres", "its length in metres"};
constexpr const char* montagna[] = {"its start in metres", "its end in metres", "its kind"};
constexpr const char* indicatori[] = {"its position in metres",
                                      "speed A on the left in km/h",
                                      "speed B on the left in km/h",
                                      "speed C on the left in km/h",
                                      "the stripes on the left",
                                      "speed A on the right in km/h",
                                      "speed B on the right in km/h",
                                      "speed C on the right in km/h",
                                      "the stripes on the right"};
constexpr const char* cartello[] = {"its position in metres", "the text shown on the board"};
constexpr const char* massa[] = {"the braked mass percentage"};
constexpr const char* vetture[] = {"the number of coaches"};
constexpr const char* velocita[] = {"its position in metres", "the speed limit in km/h"};
constexpr const char* aderenza[] = {"its position in metres", "the adhesion value"};
constexpr const char* orologio[] = {"the hours", "the minutes", "the seconds"};
constexpr const char* sabbia[] = {"the sand value"};
constexpr const char* segnale[] = {"its position in metres",
                                   "the kind of its left side (sx)",
                                   "the 1st value of its left group (s1)",
                                   "the 2nd value of its left group (s2)",
                                   "the 3rd value of its left group (s3)",
                                   "the packing value (rapp)",
                                   "the kind of its right side (dx)",
                                   "the 1st value of its right group (d1)",
                                   "the 2nd value of its right group (d2)",
                                   "the 3rd value of its right group (d3)",
                                   "its time value (tempo)"};
constexpr const char* rallentamento[] = {"its start in metres (x)",
                                         "the speed allowed in km/h (v)",
                                         "its length in metres (l)",
                                         "the flag stored at start and end (f_tt)",
                                         "the approach-cells flag (f_ta)",
                                         "the value stored at the boards (d_v)"};
constexpr const char* abbattimento[] = {"its position in metres", "the code"};
constexpr const char* stazione[] = {"its reference point in metres",
                                    "its kind",
                                    "its length in metres",
                                    "the marca byte",
                                    "the bit_d byte",
                                    "the bit_c byte (longer area)",
                                    "the intero_a value",
                                    "the intero_b value",
                                    "the bit_a byte",
                                    "the intero_c value",
                                    "the intero_d value",
                                    "the intero_e value",
                                    "the bit_b byte",
                                    "the hours of its time",
                                    "the minutes of its time",
                                    "the seconds of its time",
                                    "its name"};

const std::array<forma_record, 8> generali = {{
    {"lunghezza percorso", lunghezza},
    {"progressiva chilometrica tre", progressiva},
    {"progressiva chilometrica due", progressiva},
    {"progressiva chilometrica uno", progressiva},
    {"sfondo uno", sfondo},
    {"sfondo due", sfondo},
    {"sfondo tre", sfondo},
    {"ripetizione segnali 9 codici", ripetizione},
}};
const std::array<forma_record, 5> corpo = {{
    {"pendenza", pendenza},
    {"curva", curva},
    {"montagna", montagna},
    {"indicatori_vmax", indicatori},
    {"cartello_indicatore", cartello},
}};
const std::array<forma_record, 10> servizio = {{
    {"percentuale massa frenata", massa},
    {"numero vetture", vetture},
    {"velocita", velocita},
    {"aderenza", aderenza},
    {"orologio", orologio},
    {"sabbia", sabbia},
    {"segnale", segnale},
    {"rallentamento", rallentamento},
    {"abbattimento", abbattimento},
    {"stazione", stazione},
}};

constexpr const char* parole_linea[] = {"lunghezza percorso", "progressiva chilometrica tre",
                                        "progressiva chilometrica due", "progressiva chilometrica uno",
                                        "sfondo uno", "sfondo due", "sfondo tre", "ripetizione segnali 9 codici",
                                        "pendenza", "curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6",
                                        "curvas1", "curvas2", "curvas3", "curvas4", "curvas5", "curvas6", "montagna", "indicatori_vmax",
                                        "cartello_indicatore"};
constexpr const char* parole_servizio[] = {"percentuale massa frenata", "numero vetture", "velocita", "aderenza",
                                           "orologio", "sabbia", "segnale", "rallentamento", "abbattimento",
                                           "stazione"};

}  // namespace

const forma_record& forma(record_generale r) { return generali.at(static_cast<size_t>(r)); }
const forma_record& forma(record_corpo r) { return corpo.at(static_cast<size_t>(r)); }
const forma_record& forma(record_servizio r) { return servizio.at(static_cast<size_t>(r)); }

std::span<const char* const> parole_scritte_linea() { return parole_linea; }
std::span<const char* const> parole_scritte_servizio() { return parole_servizio; }
