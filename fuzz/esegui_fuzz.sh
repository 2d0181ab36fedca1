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
bersagli=(caricamento griglia tabella piano)
[[ -x $costruzione/fuzz_lsp ]] && bersagli+=(lsp)
for bersaglio in "${bersagli[@]}"; do mkdir -p "$lavoro/semi/$bersaglio" "$lavoro/corpus/$bersaglio"; done

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
# The language server: an editor's session on the built-in pair, framed as on its
# standard input.
python3 - "$lavoro/sorgenti" "$lavoro/semi/lsp/sessione" <<'FINE'
import json, sys
from pathlib import Path
cartella, uscita = Path(sys.argv[1]), sys.argv[2]
linea = next(cartella.glob("*_linea.txt")).read_bytes().decode("cp1252")
servizio = next(cartella.glob("*-.txt")).read_bytes().decode("cp1252")
ul, us = "file:///r/QUMA-DORVIA_MIRELO_linea.txt", "file:///r/QUMA-DORVIA_MIRELO_brezane-.txt"
def doc(u): return {"textDocument": {"uri": u}}
def at(u, l, c): return dict(doc(u), position={"line": l, "character": c})
messaggi = [
    {"id": 1, "method": "initialize", "params": {"capabilities": {"general": {"positionEncodings": ["utf-8"]}}}},
    {"method": "initialized", "params": {}},
    {"method": "textDocument/didOpen", "params": {"textDocument": {"uri": ul, "version": 1, "text": linea}}},
    {"method": "textDocument/didOpen", "params": {"textDocument": {"uri": us, "version": 1, "text": servizio}}},
    {"method": "textDocument/didChange", "params": {"textDocument": {"uri": us, "version": 2},
     "contentChanges": [{"text": servizio.replace("segnale,    4100", "segnalè,    4120")}]}},
    {"id": 2, "method": "textDocument/hover", "params": at(us, 41, 2)},
    {"id": 3, "method": "textDocument/completion", "params": at(us, 73, 0)},
    {"id": 4, "method": "textDocument/documentSymbol", "params": doc(us)},
    {"id": 5, "method": "textDocument/codeAction", "params": dict(doc(us), range={"start": {"line": 73, "character": 0},
     "end": {"line": 73, "character": 7}}, context={"diagnostics": []})},
    {"id": 6, "method": "textDocument/definition", "params": at(us, 73, 1)},
    {"id": 7, "method": "workspace/symbol", "params": {"query": "val"}},
    {"method": "textDocument/didClose", "params": doc(ul)},
    {"id": 8, "method": "shutdown"},
    {"method": "exit"},
]
with open(uscita, "wb") as f:
    for m in messaggi:
        corpo = json.dumps(dict(m, jsonrpc="2.0")).encode()
        f.write(b"Content-Length: %d\r\n\r\n" % len(corpo) + corpo)
FINE

for bersaglio in "${bersagli[@]}"; do
  echo "-- fuzz_$bersaglio for $secondi s"
  dizionario=()
  [[ -f $(dirname "$0")/$bersaglio.dict ]] && dizionario=(-dict="$(dirname "$0")/$bersaglio.dict")
  "$costruzione/fuzz_$bersaglio" -max_total_time="$secondi" -timeout=20 -max_len=65536 -print_final_stats=1 \
    "${dizionario[@]}" -artifact_prefix="$lavoro/artefatti/$bersaglio-" "$lavoro/corpus/$bersaglio" "$lavoro/semi/$bersaglio"
done
