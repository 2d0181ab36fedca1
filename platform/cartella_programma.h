// The directory that holds the running executable: every file of a run goes there.
#pragma once

#include <string>

// `argv0` is used only when the system cannot say where the executable is.
std::string cartella_eseguibile(const char* argv0);
