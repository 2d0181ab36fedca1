// The small commented pair of source files that `scenario_tool new` writes to start a
// route of one's own from: a route of 6 km with a curve and a gradient, and a service
// with a station at each end, a signal and a speed limit. Every remark is a field with a
// hyphen in keyword position, and holds no comma, so the compiler drops it; the pair
// passes `check --werror`.
#pragma once

#include <string>

// The names of the pair where none are given.
inline constexpr const char* linea_nuova_predefinita = "MIA_LINEA";
inline constexpr const char* treno_nuovo_predefinito = "treno";

// The line description of the route `linea`, as text with CR LF line ends.
std::string linea_nuova(const std::string& linea);

// The service description of the train `treno` on `linea`, as text with CR LF line ends.
std::string servizio_nuovo(const std::string& linea, const std::string& treno);
