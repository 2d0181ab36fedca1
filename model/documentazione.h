// Where the packages put the route author's reference (docs/) and the layouts of the
// compiled files (compiler/FORMATI.md), for the help of both programs to point at: the
// ZIP and the .tar.gz keep them beside the programs, the .deb in the system's place
// for documentation.
#pragma once

#ifdef _WIN32
#define SCENARIO_DOCUMENTAZIONE "the folders docs and compiler beside the programs"
#else
#define SCENARIO_DOCUMENTAZIONE "docs/ and compiler/ beside the programs\n(from the .deb: /usr/share/doc/genera-scenario/)"
#endif
