// The built-in source files, as text: the line description of the route
// QUMA-DORVIA_MIRELO and the service description of the train brezane on it, each
// Windows-1252 with CR LF line ends, as the run writes them and the loader reads them.
#pragma once

#include <string>

std::string testo_linea();
std::string testo_servizio();
