// The desktop form of the platform on Windows: the program's window with its wait
// label, painted before any work starts, and the modal message box over it. Both go
// away when the platform does, that is when the run ends. Every line the window or the
// box shows also goes to standard output or standard error, where the program has
// them (started from a console, or redirected), as the terminal form writes them.
#pragma once

#include <memory>
#include <string>

#include "platform/piattaforma.h"

// The title of the window and of the box, and the class of the window.
inline constexpr const wchar_t* titolo_finestra = L"genera_scenario";
inline constexpr const wchar_t* classe_finestra = L"genera_scenario";

// The window platform with `cartella` as the program's directory; nothing when the
// system gives no window (no desktop).
std::unique_ptr<Piattaforma> apri_piattaforma_windows(std::string cartella);
