#!/usr/bin/env bash
# Runs every fuzz target for the same bounded time on seed corpora made, each time
# afresh, from the built-in scenario: its two source files (joined by a form feed) for
# the loader, with the keywords of fuzz/caricamento.dict, and its three compiled files
# for the decoders. Any crash, leak, sanitizer report or slow input stops the run with
# a non-zero status and leaves the input in WORK/artefatti.
#
#   fuzz/esegui_fuzz.sh BUILD_DIR SCENARIO_TOOL [SECONDS_EACH] [WORK]
set -euo pipefail
costruzione=$1
strumento=$2
secondi=${3:-60}
lavoro=${4:-$costruzione/fuzz-lavoro}

rm -rf "$lavoro"
mkdir -p "$lavoro/artefatti"
for bersaglio in caricamento griglia tabella piano; do mkdir -p "$lavoro/semi/$bersaglio" "$lavoro/corpus/$bersaglio"; done

"$strumento" sources "$lavoro/sorgenti"
"$strumento" compile "$lavoro/sorgenti" "$lavoro/compilati" >/dev/null
{ cat "$lavoro"/sorgenti/*_linea.txt; printf '\f'; cat "$lavoro"/sorgenti/*-.txt; } >"$lavoro/semi/caricamento/incorporato"
# The same route cut at 20 km: it loads in a fraction of the time, so many more
# inputs are tried a second.
accorcia() { sed 's/^lunghezza percorso, *[0-9]*/lunghezza percorso,    20000/' "$1" | awk -F, 'NF < 2 || $2 + 0 <= 20000'; }
{ accorcia "$lavoro"/sorgenti/*_linea.txt; printf '\f'; accorcia "$lavoro"/sorgenti/*-.txt; } >"$lavoro/semi/caricamento/breve"
cp "$lavoro"/compilati/*_linea.dat "$lavoro/semi/piano/"
cp "$lavoro"/compilati/*.sim "$lavoro/semi/tabella/"
for griglia in "$lavoro"/compilati/*.dat; do
  [[ $griglia == *_linea.dat ]] || cp "$griglia" "$lavoro/semi/griglia/"
done

for bersaglio in caricamento griglia tabella piano; do
  echo "-- fuzz_$bersaglio for $secondi s"
  dizionario=()
  [[ -f $(dirname "$0")/$bersaglio.dict ]] && dizionario=(-dict="$(dirname "$0")/$bersaglio.dict")
  "$costruzione/fuzz_$bersaglio" -max_total_time="$secondi" -timeout=20 -max_len=65536 -print_final_stats=1 \
    "${dizionario[@]}" -artifact_prefix="$lavoro/artefatti/$bersaglio-" "$lavoro/corpus/$bersaglio" "$lavoro/semi/$bersaglio"
done
