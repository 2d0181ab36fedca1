// A place in the source files: a file's name and a range of text in it, from a start
// line and column to an end line and column. Lines and columns count from 1, columns
// by characters of the line (the files are Windows-1252: one byte, one character). The
// end is the column just after the range's last character, so an empty range (a place
// between two characters) has its end equal to its start. Line 0 stands for the file
// as a whole, column 0 for the line as a whole; an end line of 0 means the range is
// its start alone.
//
// The loader keeps the place of the record it is handling, so that a recorded code,
// or an object on the grid, can be traced back to what the route author wrote.
// Nothing of it reaches the compiled files.
#pragma once

#include <string>

struct luogo_sorgente {
  std::string file;  // the file's name, without its directory
  int riga = 0;
  int colonna = 0;
  int riga_fine = 0;
  int colonna_fine = 0;

  bool operator==(const luogo_sorgente&) const = default;

  // The end as shown: the start where no end was given, 1:1 for the file as a whole.
  int riga_fine_mostrata() const { return riga == 0 ? 1 : riga_fine == 0 ? riga : riga_fine; }
  int colonna_fine_mostrata() const {
    if (riga == 0) return 1;
    if (riga_fine == 0) return colonna < 1 ? 1 : colonna;
    return colonna_fine;
  }
};
