// Opening an address in the user's default browser: xdg-open on Linux and other POSIX
// desktops, the shell (ShellExecuteW) on Windows. Nothing is waited for.
#pragma once

#include <string>

// Starts the default browser on `indirizzo` (an http address). False when that could
// not be started (no xdg-open, no handler); where the browser then fails is not known.
bool apri_nel_browser(const std::string& indirizzo);
