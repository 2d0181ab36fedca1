// The limits of a scenario, in one place: how long a route may be, how far its grid
// and plan reach beyond its end, how long a text of the table may be, how large a
// source file may be. The loader enforces them, and the language server the last one
// as the loader does; the largest compiled file of each kind follows from them
// (model/disposizione.h), and so do the bounds of the decoders.
#pragma once

#include <cstddef>
#include <cstdint>

// A route is at most this long (a longer one records code 1), in metres.
inline constexpr int32_t lunghezza_massima_percorso = 1000000;

// The grid and the plan reach this far beyond the route's end, in metres.
inline constexpr int32_t oltre_il_percorso = 7000;

// The plan may not be laid past this metre within the body of the line file (code 103).
inline constexpr int64_t metro_massimo_piano = 1000000;

// The table file gives a text a 16-bit signed length.
inline constexpr size_t testo_massimo = 32767;

// One grid cell for every this many metres.
inline constexpr int32_t metri_per_cella = 50;

// The largest source file read, wherever it is read (the loader from the disk, the
// language server from the disk and from an editor's buffer). The longest route, with
// what lies beyond its end, has 20140 cells of 50 m; a record of each of eight kinds on
// every cell, on lines of 64 bytes, is 10.3 MB. A larger file is refused before any
// byte is read, as "larger than 16777216 bytes".
inline constexpr uint64_t sorgente_massima = 16u << 20;
static_assert(uint64_t{(lunghezza_massima_percorso + oltre_il_percorso) / metri_per_cella + 1} * 8 * 64 <
              sorgente_massima);
