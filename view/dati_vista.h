// The data of `view`: what a compilation in memory of a pair of source files loaded
// and placed, with the check's diagnostics, as one JSON object for the page to draw.
//
// Every object on the grid carries its values as compiled (the cell's members, the
// table entry of a station or signboard) and as written (the text of its record), with
// the record's place FILE:LINE; stretches (speed limits, gradients, adhesion, tunnels,
// curves) carry the record that starts them where one is found. When the compilation
// stopped, what was loaded up to the stop is still there, and `stop` says where.
//
// The object's keys (positions are metres from the route's origin):
//   line, train, files: {line, service}, length, grid_end, code, position,
//   stop: null or {code, m, file, line, message},
//   plan: [[m, x, y], ...] every 50 m,
//   speed, gradient, adhesion, tunnels: [[from, to, value, src], ...],
//   curves: [[from, to, radius, side, src], ...] (side "left" or "right"),
//   slowdowns: [[from, to, kmh, src], ...],
//   stations: [{name, entry, m, from, to, kind, stop, src, ...}],
//   objects: [{kind, cell, m, what, members, src}], km_posts: [{entry, m, km}],
//   sources: {FILE: {LINE: text}} the lines that a src names,
//   diagnostics: [{severity, code, message, file, line, column, m, notes}].
// A src is "FILE:LINE", or null.
#pragma once

#include <string>

#include "loader/esito_caricamento.h"
#include "loader/sorgenti_scenario.h"

// The JSON of the two source files of `sorgenti` (which is not changed); plain ASCII,
// safe inside an HTML script element: no "<", ">" or "&" in it.
std::string dati_vista_json(const sorgenti_in_memoria& sorgenti, const richiesta_caricamento& richiesta);

// The data when one of the two source files cannot be read at all (larger than the
// loader takes, not a regular file, not readable): check refuses such a file before it
// compiles anything, and so does the page. No route, and one error at `file` (its name)
// with the reason `motivo` in check's words, code 25 (the source files could not be
// loaded).
std::string dati_vista_rifiuto_json(const std::string& file, const std::string& motivo,
                                    const richiesta_caricamento& richiesta);
