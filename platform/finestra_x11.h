// The desktop form of the platform on an X display: the program's window with its wait
// label, painted before any work starts, and the modal message box. Both go away when
// the platform does, that is when the run ends.
#pragma once

#include <memory>
#include <string>

#include "platform/piattaforma.h"

// The window platform on the display named by the environment, with `cartella` as the
// program's directory; nothing when no display can be opened or it offers no font.
std::unique_ptr<Piattaforma> apri_piattaforma_x11(std::string cartella);
