// Command dispatch and help of scenario_tool.
#include "tool/scenario_tool.h"

namespace {

constexpr const char* aiuto = R"(usage:
  scenario_tool sources DIR
  scenario_tool compile [--line NAME] [--train NAME] [--no-plan] [-w] SOURCE_DIR OUTPUT_DIR
  scenario_tool check [--line NAME] [--train NAME] [--no-plan] [--format text|json] [--werror] SOURCE_DIR
  scenario_tool dump [--json] [--all] [--kind plan|table|grid] [--step METRES] FILE...
  scenario_tool plot [--line NAME] [--train NAME] DIR -o FILE.svg

sources   Writes the built-in scenario's text files into DIR (created when missing):
          the line description, the service description and the three crew
          documents. Nothing is compiled.

compile   Compiles the line description NAME_linea.txt and the service description
          NAME_TRAIN-.txt found in SOURCE_DIR. Both are copied into OUTPUT_DIR
          (created when missing; it must not be SOURCE_DIR), and the copies are
          compiled there as the program does with its own: the loader deletes each
          copy once read, and OUTPUT_DIR receives NAME_linea.dat (the plan, left out
          with --no-plan), NAME_TRAIN.sim (the general table) and NAME_TRAIN.dat (the
          track grid). Nothing in SOURCE_DIR is changed.
          --line NAME    route name (default QUMA-DORVIA_MIRELO)
          --train NAME   train name (default brezane)
          --no-plan      do not compute or write the plan coordinates

          Standard output is one line: codice_errore=N posizione_errore=P (none
          when the source files could not be copied and nothing was compiled).
          Exit status: 0 compiled with no recorded code; 1 a code was recorded and
          the files were written anyway; 2 nothing compiled (no track grid), a
          header slot already taken, or a file that could not be read or written;
          64 a wrong command line.

          -w             do not print the warnings

          Every recorded code, every taken header slot and every warning is
          printed on standard error in the form of check (below), then a line
          "N errors, M warnings"; nothing when there is none:
            FILE:LINE:COLUMN: error: meaning, at POSITION m [code N]
            FILE:LINE:COLUMN: note: cell 43 holds the stop of station 3, CASTELNUOVO
          FILE is the source file in SOURCE_DIR, LINE and COLUMN where the keyword
          of the record being read stands. ", at POSITION m" is left out for the
          codes that record no position (1 to 5, 10, 24, 25, 101 to 103). The
          places chosen where no record was being read:
            101, 102  the line description as a whole;
            2         the first kilometre-post record off the 50 m step;
            25        the record being read (for a speed that does not fit, the
                      record of that speed), or the file as a whole when it could
                      not be read or the failure came after its last record; a
                      note says what failed;
            11        the signal's record; 12 and 13 the slowdown's record;
            1250, 1251  the record of the object in cell 1.
          Each note names what stands in the way and is placed at the record that
          put it there, when there is one; "no track grid: nothing is compiled"
          is the last note when nothing was compiled.

dump      Prints compiled files: NAME_linea.dat the plan, NAME_TRAIN.sim the
          general table, NAME_TRAIN.dat the track grid, told apart by their names
          or by --kind. The grid: one line per cell that holds an object or a mark,
          or where a stretch value (tunnel, speed, gradient, adhesion) changes,
          with its position, byte offset, kind and every member. The table: one
          block per entry in use and the fixed entries 81 to 86, with its role and
          every member with its offset and meaning. The plan: metre, x and y with
          their type codes every METRES metres (default 1000) and at the last metre.
          --all          every cell and every entry
          --json         JSON lines: a heading object per file, then one object
                         per cell, entry or plan sample
          A file of the wrong size, a record cut short or an unknown type code is
          reported as FILE: byte OFFSET: what is wrong; the other files are still
          printed, and the exit status is 1.

plot      Draws the compiled scenario in DIR as one SVG picture: the plan turned so
          that the route runs from left to right (the arrow points to +y), with the
          stations named, tunnels as heavy strokes and signals as dots; under it the
          speed limit with the slowdowns, the gradient and the adhesion against
          kilometres, with the stations marked. Without a plan file the picture
          has the profile alone. Exit status 1 when a file cannot be read, decoded
          or written.
)";

}  // namespace

int scenario_tool(const std::vector<std::string>& argomenti, std::ostream& uscita, std::ostream& errori) {
  if (argomenti.size() == 1 && (argomenti[0] == "--help" || argomenti[0] == "-h" || argomenti[0] == "help")) {
    uscita << aiuto << '\n' << aiuto_check;
    return 0;
  }
  if (!argomenti.empty()) {
    std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
    if (argomenti[0] == "sources") return comando_sources(resto, uscita, errori);
    if (argomenti[0] == "compile") return comando_compile(resto, uscita, errori);
    if (argomenti[0] == "check") return comando_check(resto, uscita, errori);
    if (argomenti[0] == "dump") return comando_dump(resto, uscita, errori);
    if (argomenti[0] == "plot") return comando_plot(resto, uscita, errori);
  }
  errori << aiuto;
  return uscita_uso;
}
