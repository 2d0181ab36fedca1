// The text of every file the program writes from a list of lines: the two source
// files and the three crew documents.
//
// A writer hands over a list of literal lines `righe` closed by the end sentinel. The
// text holds each line up to the sentinel, each followed by CR LF; the sentinel itself
// is never part of it.
#pragma once

#include <span>
#include <string>

inline constexpr const char* fine_righe = "riferimento fine del file";

std::string testo_righe(std::span<const char* const> righe);
