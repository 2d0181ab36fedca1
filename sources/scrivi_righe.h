// The writing routine shared by every text file the program writes: the two source
// files and the three crew documents.
//
// A writer hands it a list of literal lines `righe` closed by the end sentinel. The
// file is made anew (never appended to or truncated in place) and holds each line up
// to the sentinel, each followed by CR LF; the sentinel itself is never written.
#pragma once

#include <span>
#include <string>

inline constexpr const char* fine_righe = "riferimento fine del file";

void scrivi_righe(const std::string& percorso, std::span<const char* const> righe);
