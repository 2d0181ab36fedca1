// The table of the subcommands: one row each, and the paragraphs of their help. The
// longer paragraphs come first, in the order of the rows that follow them, and the
// options that several rows share.
#include "tool/comandi.h"

#include <utility>

#include "model/disposizione.h"
#include "model/documentazione.h"
#include "model/nomi_file.h"
#include "model/stati_uscita.h"
#include "sources/coppia_nuova.h"

namespace {

const char* const descrizione_compile = R"(Compiles the line description NAME_linea.txt and the service description
NAME_TRAIN-.txt found in SOURCE_DIR. Both are read into memory and compiled there, and
OUTPUT_DIR (created when missing; it must not be SOURCE_DIR) receives NAME_linea.dat
(the plan, left out with --no-plan), NAME_TRAIN.sim (the general table) and
NAME_TRAIN.dat (the track grid). Nothing else in either directory is changed.
)";

const char* const coda_compile = R"(A NAME is part of file names: it may not be empty, . or .., nor hold / or \; the
two may not give two files one name (--train linea), and no file name may be
longer than 233 bytes. A source file may be at most 16 MiB.

Standard output is one line: codice_errore=N posizione_errore=P (none when the
source files could not be copied and nothing was compiled). Exit status: 0 compiled
with no recorded code; 1 a code was recorded (the files were written only with
--write-on-error);
2 nothing compiled (no track grid), a header slot already taken, or a file that could
not be read or written; 64 a wrong command line.

Every recorded code, a taken header slot and every warning are printed on standard
error in the form of check, then a line "N errors, M warnings"; nothing when there
is none:
  FILE:LINE:COLUMN: error: meaning, at POSITION m [code N]
  FILE:LINE:COLUMN: note: the cell at 2150 m (cell 43) holds the stop of station 3, CASTELNUOVO
FILE is the source file in SOURCE_DIR, LINE and COLUMN where the keyword of the
record being read stands. ", at POSITION m" is left out for the codes that record no
position (1 to 5, 10, 24, 25, 101 to 103). The places chosen where no record was
being read:
  101, 102    the line description as a whole;
  2           the first kilometre-post record off the 50 m step;
  25          the record being read (for a speed that does not fit, the record of
              that speed), or the file as a whole when it could not be read or the
              failure came after its last record; a note says what failed;
  11          the signal's record; 12 and 13 the slowdown's record;
  1250, 1251  the record of the object in cell 1.
A problem of a file as a whole is placed at line 1, column 1. Each note names what
stands in the way and is placed at the record that put it there, when there is one;
"no track grid: nothing is compiled" is the last note when nothing was compiled.
docs/codes.md explains every code and how to mend it, in
)" SCENARIO_DOCUMENTAZIONE R"(.
)";

const char* const descrizione_check = R"(Checks the line description NAME_linea.txt and the service description
NAME_TRAIN-.txt found in SOURCE_DIR and reports every problem at once, writing
nothing anywhere (SOURCE_DIR is never changed):
- every error that compile would record, at its record; after an error that stops
  the load the check skips that record and goes on with the next keyword line, so
  later records are checked too; every code of the code placement passes is listed,
  not only the last;
- warnings for what compiles but is almost surely not meant, each with its name:
  unknown-keyword, unknown-section, missing-generale, missing-end, empty-service,
  empty-field (read as 0), speed-rounded, value-truncated, empty-curve,
  end-before-start, gradient-order, speed-order, adhesion-order, curve-order,
  tunnel-order, station-beyond-end, utf8-text, too-many-fields, too-few-fields,
  tab-separator, keyword-in-section; scenario_tool explain NAME tells more of each.
Without --line and --train, and without the built-in route's file in SOURCE_DIR,
the one pair of source files there is checked.
)";

const char* const formato_testo_check = R"((the default) one diagnostic per line, with its notes:
                   FILE:LINE:COLUMN: error: MESSAGE [code N]
                   FILE:LINE:COLUMN: warning: MESSAGE [NAME]
                   FILE:LINE:COLUMN: note: MESSAGE
                 then the line "N errors, M warnings". A problem of a file as a
                 whole is placed at line 1, column 1.
                 LINE and COLUMN are where the field, keyword or header starts.
  --format json  one JSON object per line: "file", "line", "column", "end_line",
                 "end_column" (just after the range's last character), "severity"
                 ("error" or "warning"), "code" (the number of an error, the name
                 of a warning), "message", "notes" (a list of objects with "file",
                 "line", "column", "end_line", "end_column", "message"), "fixes"
                 (a list of {"range": {...}, "replacement": TEXT} for an editor).)";

const char* const coda_check = R"(
compile prints the same diagnostics on standard error (-w leaves the warnings out).
Exit status: 0 no error, 1 errors (or warnings with --werror), 2 a file that could
not be read, 64 a wrong command line.
)";

// The largest file of each kind is told from its constant (model/disposizione.h).
const std::string coda_dump = R"(
The grid: one line per cell that holds an object or a mark, or where a stretch
value changes, with its position, byte offset, kind and every member; the members
that stand for a measure are followed by it, as in velocita=31 (155 km/h):
  tipo       what the cell holds (its kind, named after the bar)
  dato1-4    the object's values: a signal's packed aspects, a slowdown's speed in
             km/h, a speed-indicator board's speeds, a station's or signboard's
             table entry, a code point's code
  tempo      a signal's time value
  preavviso  approach mark: 81 to 84 before a station stop, others before a signal
  montagna   tunnel kind of the stretch, 0 in the open
  velocita   line speed limit in steps of 5 km/h
  pendenza   gradient in per mille plus 100
  aderenza   adhesion value of the stretch
In JSON the raw members keep their names and the measures are added as
velocita_kmh and pendenza_per_mille.

The table: one block per entry in use and the fixed entries 81 to 86, with its role
and every member with its offset and meaning. The plan: metre, x and y with their
type codes every METRES metres and at the last metre.

A file of the wrong size, a record cut short or an unknown type code is reported as
FILE: byte OFFSET: what is wrong; the other files are still printed, and the exit
status is 1. What no compilation can have written is refused before it is read, as
FILE: cannot read: why: anything but a regular file (a directory, a FIFO, a device),
and a file larger than the largest of its kind (a grid of )" +
                              std::to_string(massimo_byte_griglia) + " bytes, a table of\n" +
                              std::to_string(massimo_byte_tabella) + ", a plan of " +
                              std::to_string(massimo_byte_piano) + ": compiler/FORMATI.md says why).\n";

const char* const servizio_view = R"(
In the page: the wheel zooms, dragging pans, the arrow keys pan (left, right) and
zoom (up, down), Home shows the whole route; the pointer's kilometre is marked on
both the plan and the profile. Each layer is switched on and off above the chart:
line speed limits, slowdowns, the allowed speed (the lower of the two), boards and
indicators, gradients, curves with their radius, tunnels, adhesion, stations,
signals, kilometre posts, code points, diagnostics. Every object has a tooltip with
its values as compiled, its record as written and FILE:LINE. The box at the top
jumps to a station by name or to a kilometre (12.5). The diagnostics of check are
listed beside the chart and drawn at their kilometre; clicking one goes there. When
the compile stopped, what was loaded before the stop is drawn and the stop marked.

With --serve nothing is written: the page is served on http://127.0.0.1:N/ (the
address is printed; the browser is started only with --open), and each time one of
the two source files is saved (the system tells of it: inotify, ReadDirectoryChangesW;
where it cannot, they are looked at every 50 ms) it is compiled again in memory and
the open page redraws, keeping its zoom, position and layers. The address with #km=K
after it opens the page centred on kilometre K. The server answers
only its page and its stream of data, only on the loopback address, and refuses a
request with a Host other than 127.0.0.1:N or localhost:N, or from another origin.
Ctrl-C stops it.
)";

const char* const coda_view = R"(A build without the HTTP server library (cpp-httplib) has no --serve; the Linux
build has it where Debian's libcpp-httplib-dev was found, the Windows build where
its header was fetched (cmake/httplib_windows.sh).

Exit status: 0 the page was written (or the server stopped on Ctrl-C), whatever the
route's errors; 2 a file that could not be read or written, or a port that could
not be listened on; 64 a wrong command line.
)";

// --line NAME and --train NAME, with the text of their entries; without one, each is
// listed with the option after it.
opzione_comando opzione_linea(std::string aiuto = "") {
  return {.nome = "--line", .valore = "NAME", .con_la_seguente = aiuto.empty(), .aiuto = std::move(aiuto)};
}
opzione_comando opzione_treno(std::string aiuto = "") {
  return {.nome = "--train", .valore = "NAME", .con_la_seguente = aiuto.empty(), .aiuto = std::move(aiuto)};
}
// The built-in route's names, where compile and plot look for files by default.
const opzione_comando linea_predefinita = opzione_linea(std::string("route name (default ") + linea_incorporata + ")");
const opzione_comando treno_predefinito = opzione_treno(std::string("train name (default ") + treno_incorporato + ")");

const opzione_comando opzione_caret{
    .nome = "--caret",
    .valore = "WHEN",
    .nell_uso = "auto|always|never",
    .uguale = true,
    .aiuto = "auto (the default: on a terminal), always or never: each error\n"
             "                 and warning followed by its source line and a ^~~~ marker"};

const comando sources{
    .nome = "sources",
    .sommario = "write the built-in source files and crew documents into a directory",
    .uso = {"[--force] DIR"},
    .descrizione = R"(Writes the built-in scenario's text files into DIR (created when missing): the line
description, the service description and the three crew documents. Nothing is
compiled. A file of the same name that differs from the built-in one, such as a
source you have edited, is not overwritten: each is named on standard error and
nothing is written (exit status 1).
)",
    .opzioni = {{.nome = "--force", .aiuto = "overwrite files that differ from the built-in ones"}}};

const comando compile{
    .nome = "compile",
    .sommario = "compile source files and explain what the compiler finds",
    .uso = {"[--line] [--train] [--no-plan] [-w] [--write-on-error] [--wait] [--caret] SOURCE_DIR OUTPUT_DIR"},
    .descrizione = descrizione_compile,
    .opzioni = {linea_predefinita,
                treno_predefinito,
                {.nome = "--no-plan", .aiuto = "do not compute or write the plan coordinates"},
                {.nome = "-w", .aiuto = "do not print (or keep) the warnings"},
                {.nome = "--write-on-error",
                 .aiuto = "write the compiled set also where a code is recorded; without\n"
                          "                 it the earlier files in OUTPUT_DIR stay as they were"},
                {.nome = "--wait",
                 .valore = "SECONDS",
                 .aiuto = "wait at most this long for another run writing OUTPUT_DIR\n"
                          "                 (default 60), then give up with exit status 2"},
                opzione_caret},
    .coda = coda_compile};

const comando check{
    .nome = "check",
    .sommario = "report every problem of source files at once, writing nothing",
    .uso = {"[--line] [--train] [--no-plan] [--format] [--werror] [--caret] SOURCE_DIR"},
    .descrizione = descrizione_check,
    .opzioni = {opzione_linea(),
                opzione_treno(),
                {.nome = "--no-plan", .aiuto = "as for compile"},
                // The list tells each of its values: text here, json in a line of the text.
                {.nome = "--format", .valore = "text", .nell_uso = "text|json", .aiuto = formato_testo_check},
                opzione_caret,
                {.nome = "--werror", .aiuto = "warnings count as errors for the exit status"}},
    .coda = coda_check};

const comando dump{
    .nome = "dump",
    .sommario = "print compiled files, member by member, as text or JSON lines",
    .uso = {"[--json] [--all] [--kind] [--step] FILE..."},
    .descrizione = R"(Prints compiled files: NAME_linea.dat the plan, NAME_TRAIN.sim the general table,
NAME_TRAIN.dat the track grid, told apart by their names or by --kind. A FILE of -
is standard input, and needs --kind.
)",
    .opzioni = {{.nome = "--kind",
                 .valore = "KIND",
                 .nell_uso = "plan|table|grid",
                 .aiuto = "plan, table or grid: the kind of every FILE"},
                {.nome = "--all", .aiuto = "every cell and every entry, not only those that hold something"},
                {.nome = "--step", .valore = "METRES", .aiuto = "metres between two plan samples (default 1000)"},
                {.nome = "--json",
                 .aiuto = "JSON lines: a heading object per file, then one object per cell,\n"
                          "                 entry or plan sample"}},
    .coda = coda_dump};

const comando plot{
    .nome = "plot",
    .sommario = "draw the compiled route's plan and profile as SVG",
    .uso = {"[--line] [--train] DIR -o"},
    .descrizione = R"(Draws the compiled scenario in DIR as one SVG picture; -o - writes it to standard
output. At the top the plan, to scale and turned so that the route runs from left to
right, with kilometre marks along the line, the stations named, tunnels as heavy
strokes and signals as dots; under it, against kilometres from the route's origin,
the speed limit with the slowdowns, the gradient and the adhesion, a row with the
signals and the named tunnels, and the stations marked. A station, signal or slowdown
past the route's end is drawn in red where it stands, on a shaded stretch after the
end, and named in a line under the profile. Without a plan file the picture has the
profile alone, and the legend lists only what is drawn.
)",
    .opzioni = {linea_predefinita,
                treno_predefinito,
                {.nome = "--output",
                 .breve = "-o",
                 .valore = "FILE",
                 .nell_uso = "FILE.svg",
                 .aiuto = "the SVG file to write, or - for standard output"}},
    .coda = "\nExit status 1 when a file cannot be read, decoded or written; 64 a wrong command line.\n"};

const comando explain{
    .nome = "explain",
    .sommario = "print the reference of one code or warning",
    .uso = {"CODE|WARNING-NAME"},
    .descrizione = R"(Prints the reference of one code the compiler records (a number, such as 16) or of one
warning of check (its name, such as unknown-keyword): what it means, its usual causes,
how to fix it, and an example, as docs/codes.md gives them.
)",
    .coda = "\nExit status 0; 64 for a wrong command line or a code or name that does not exist.\n"};

const comando new_{
    .nome = "new",
    .sommario = "write a small starting pair of source files for a route of your own",
    .uso = {"[--line] [--train] DIR"},
    .descrizione = R"(Writes a small commented pair of source files into DIR (created when missing) to start
a route of your own from: NAME_linea.txt, a route of a few kilometres with a curve and
a gradient, and NAME_TRAIN-.txt, a service with a station at each end, a signal and a
speed limit. The pair passes check --werror. A file of the same name already in DIR is
not overwritten: it is named on standard error and nothing is written (exit status 1).
)",
    .opzioni = {opzione_linea(std::string("route name (default ") + linea_nuova_predefinita + ")"),
                opzione_treno(std::string("train name (default ") + treno_nuovo_predefinito + ")")}};

const comando view{
    .nome = "view",
    .sommario = "see the route of source files in the browser: plan, profile, layers",
    .uso = {"[--line] [--train] [-o] SOURCE_DIR", "--serve [--port] [--open] [--line] [--train] SOURCE_DIR"},
    .descrizione = R"(Compiles and checks the source files in SOURCE_DIR in memory, as check does (nothing
is written there), and writes the route as one interactive HTML page: the plan above,
the profile under it against kilometres, both following one zoom and position. The
page holds its script, style and data, makes no network request, and opens from disk
in any current browser.
)",
    .opzioni = {opzione_linea(),
                opzione_treno("as for compile"),
                {.nome = "--output",
                 .breve = "-o",
                 .valore = "FILE",
                 .nell_uso = "FILE.html",
                 .aiuto = "the page to write (default view.html in the current\n"
                          "                      directory); - writes it to standard output"},
                {.nome = "--serve", .premessa = servizio_view},
                {.nome = "--port", .valore = "N", .aiuto = "the port (default 8021; 0 lets the system choose one)"},
                {.nome = "--open",
                 .aiuto = "once the server listens, open its address in the default browser\n"
                          "                 (xdg-open on Linux, the shell on Windows)"}},
    .coda = coda_view};

const comando lsp{
    .nome = "lsp",
    .sommario = "serve an editor as a language server: diagnostics, fixes, hover, completion",
    .uso = {"[--stdio]"},
    .descrizione = R"(Serves an editor as a language server on standard input and output (JSON-RPC 2.0
with Content-Length headers), until the editor sends exit or closes the input.
An open NAME_linea.txt or NAME_TRAIN-.txt is checked together with its partner of
the same folder, from the editor's unsaved text where it is open, else from the
disk, and the diagnostics of check are published for both on every change, with
their fixes as code actions. Hover tells what a keyword's record and a field are
(with a position's km and cell), completion offers the keywords of the section,
its headers and whole records, and the outline lists sections, stations, signals
and the rest. The server reads the files of the folders of the files opened and
never writes one. docs/editors.md sets it up in several editors.
)",
    .opzioni = {{.nome = "--stdio", .aiuto = "accepted and ignored (standard input and output are always used)"}},
    .coda = R"(
Exit status 0 after shutdown and exit or at the end of the input, 1 for an exit
without shutdown, 2 when this scenario_tool was built without it.
)"};

}  // namespace

const std::vector<comando>& comandi() {
  static const std::vector<comando> tabella = {sources, compile, check, dump, plot, explain, new_, view, lsp};
  return tabella;
}

const comando* trova_comando(std::string_view nome) {
  for (const comando& c : comandi()) {
    if (nome == c.nome) return &c;
  }
  return nullptr;
}

std::vector<opzione> opzioni_di(std::string_view nome) {
  std::vector<opzione> lette;
  for (const opzione_comando& o : trova_comando(nome)->opzioni) lette.push_back({o.nome, o.breve, o.valore != nullptr});
  return lette;
}
