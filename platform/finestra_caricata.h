// The X11 window, loaded at run time from the module `genera_scenario_x11.so` beside the
// executable when the environment names a display.
#pragma once

#include <memory>
#include <string>

#include "platform/piattaforma.h"

inline constexpr const char* modulo_finestra = "genera_scenario_x11.so";

// The window platform with `cartella` as the directory of the run's files, the module
// looked for in `cartella_modulo`; nothing when no display is named, the module cannot
// be loaded, or the display cannot be opened.
std::unique_ptr<Piattaforma> carica_piattaforma_x11(const std::string& cartella, const std::string& cartella_modulo);
