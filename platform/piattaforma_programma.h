// The platform of genera_scenario as a person starts it: its window and message box
// where the system has a desktop for it, the terminal form anywhere else.
#pragma once

#include <memory>
#include <string>

#include "platform/piattaforma.h"

// The platform with `cartella` as the directory of the run's files; `cartella_eseguibile`
// holds the program and its window module.
std::unique_ptr<Piattaforma> apri_piattaforma_programma(const std::string& cartella,
                                                        const std::string& cartella_eseguibile);
