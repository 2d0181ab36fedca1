// Names found, not assumed: where neither --line nor --train is given and the
// built-in route's file is not in the directory, the one pair of names that the
// directory's files give is taken.
#pragma once

#include <string>
#include <vector>

#include "model/diagnostica.h"

// Sources: exactly one NAME_linea.txt with exactly one NAME_TRAIN-.txt beside it.
// Compiled files (`compilati`): exactly one NAME_TRAIN.sim, whose NAME is that of a
// NAME_linea.dat there, or of the only one. `linea` and `treno` are set when the pair
// is found; otherwise they are left as they are and the text returned lists what was
// found and how to pick a pair. Nothing is returned when the built-in route's file is
// there, or when no route file at all is (the built-in names are kept, and the
// missing file is reported as before).
std::string trova_nomi(const std::string& cartella, bool compilati, std::string& linea, std::string& treno);

// The text of `trova_nomi`, when there is one, as a note of the error that the line
// description file is missing (code 101).
void annota_nomi(std::vector<diagnostica>& diagnostiche, const std::string& nomi);
