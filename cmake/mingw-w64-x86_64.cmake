# Cross-building for 64-bit Windows with MinGW-w64 from Linux. The tools are found by
# their prefix, SCENARIO_MINGW_PREFIX (x86_64-w64-mingw32 unless given): PREFIX-g++-posix,
# the posix thread model that std::thread and std::mutex need where a system offers both
# (Debian: g++-mingw-w64-x86-64-posix), else PREFIX-g++. The libraries and headers are
# looked for under SCENARIO_MINGW_SYSROOT, by default the one beside the compiler.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCENARIO_MINGW_PREFIX "x86_64-w64-mingw32" CACHE STRING "Prefix of the MinGW-w64 cross tools")
find_program(SCENARIO_MINGW_CXX NAMES ${SCENARIO_MINGW_PREFIX}-g++-posix ${SCENARIO_MINGW_PREFIX}-g++ REQUIRED)
find_program(SCENARIO_MINGW_CC NAMES ${SCENARIO_MINGW_PREFIX}-gcc-posix ${SCENARIO_MINGW_PREFIX}-gcc REQUIRED)
find_program(SCENARIO_MINGW_RC NAMES ${SCENARIO_MINGW_PREFIX}-windres REQUIRED)
set(CMAKE_C_COMPILER ${SCENARIO_MINGW_CC})
set(CMAKE_CXX_COMPILER ${SCENARIO_MINGW_CXX})
set(CMAKE_RC_COMPILER ${SCENARIO_MINGW_RC})

# The compiler's own sysroot: PREFIX beside the folder that holds the compiler (as in
# /usr/PREFIX for /usr/bin/PREFIX-g++).
get_filename_component(radice_compilatore "${SCENARIO_MINGW_CXX}" REALPATH)
get_filename_component(radice_compilatore "${radice_compilatore}" DIRECTORY)
get_filename_component(radice_compilatore "${radice_compilatore}/../${SCENARIO_MINGW_PREFIX}" ABSOLUTE)
set(SCENARIO_MINGW_SYSROOT "${radice_compilatore}" CACHE PATH "Where the MinGW-w64 libraries and headers are")
set(CMAKE_FIND_ROOT_PATH ${SCENARIO_MINGW_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
