// A place in the source files: a file's name, a line in it and a column in that line,
// both counting from 1; line 0 stands for the file as a whole, column 0 for the line
// as a whole. The loader keeps the place of the record it is handling, so that a
// recorded code, or an object on the grid, can be traced back to what the route
// author wrote. Nothing of it reaches the compiled files.
#pragma once

#include <string>

struct luogo_sorgente {
  std::string file;  // the file's name, without its directory
  int riga = 0;
  int colonna = 0;

  bool operator==(const luogo_sorgente&) const = default;
};
