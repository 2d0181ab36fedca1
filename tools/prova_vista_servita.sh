#!/usr/bin/env bash
# A short check of `scenario_tool view --serve` from outside, with curl, every wait
# bounded: the page and the stream of data are answered on 127.0.0.1, a saved change of
# a source file reaches the stream, and another path, a foreign Host, another origin and
# another method get no content. Runs the program as given, e.g. under Wine:
#
#   tools/prova_vista_servita.sh build/scenario_tool
#   tools/prova_vista_servita.sh wine build-windows/scenario_tool.exe
#
# The sources are written by the program itself (`sources`). Needs curl.
set -euo pipefail
programma=("$@")
[ ${#programma[@]} -gt 0 ] || { echo "usage: $0 PROGRAM [ARGUMENTS BEFORE view]" >&2; exit 2; }
lavoro=$(mktemp -d)
servitore=
trap '[ -n "$servitore" ] && kill "$servitore" 2>/dev/null; rm -rf "$lavoro"' EXIT
falliti=0
verifica() {  # verifica CONDITION_STATUS WHAT
  if [ "$1" -eq 0 ]; then echo "ok    $2"; else echo "FAIL  $2"; falliti=$((falliti + 1)); fi
}

# A browser that only writes down what it was asked to open (xdg-open is what the Linux
# program starts, and Wine's shell hands an http address to it too).
mkdir "$lavoro/bin"
printf '#!/bin/sh\necho "$1" >>"%s/aperti"\n' "$lavoro" >"$lavoro/bin/xdg-open"
chmod +x "$lavoro/bin/xdg-open"
export PATH="$lavoro/bin:$PATH"

"${programma[@]}" sources "$lavoro/sorgenti" >/dev/null
avvia() {  # avvia [--open]: starts the server, sets servitore and indirizzo
  "${programma[@]}" view --serve --port 0 "$@" "$lavoro/sorgenti" >"$lavoro/uscita" 2>"$lavoro/errori" </dev/null &
  servitore=$!
  indirizzo=
  for _ in $(seq 600); do  # 60 s at most: Wine's first start is slow
    indirizzo=$(grep -m1 -o 'http://127\.0\.0\.1:[0-9]*/' "$lavoro/uscita" 2>/dev/null || true)
    [ -n "$indirizzo" ] && break
    kill -0 "$servitore" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$indirizzo" ]; then
    echo "FAIL  the server printed no address"; cat "$lavoro/errori" >&2; exit 1
  fi
}
ferma() {
  kill -INT "$servitore" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$servitore" 2>/dev/null || break; sleep 0.1; done
  kill "$servitore" 2>/dev/null || true
  servitore=
}
avvia
porta=${indirizzo#http://127.0.0.1:}; porta=${porta%/}
echo "listening at $indirizzo"

stato() { curl -s -o "$lavoro/corpo" -w '%{http_code}' --max-time 10 "$@" || true; }
[ "$(stato "$indirizzo")" = 200 ] && grep -q 'id="profile"' "$lavoro/corpo"
verifica $? "GET / answers the page"

# The stream: its first event, then one more after a saved change of a station's length.
curl -s -N --max-time 30 "${indirizzo}events" >"$lavoro/eventi" 2>/dev/null &
flusso=$!
for _ in $(seq 100); do grep -qs '^data: {' "$lavoro/eventi" && break; sleep 0.1; done
grep -q '^data: {' "$lavoro/eventi"
verifica $? "GET /events sends the data"
servizio=$(ls "$lavoro"/sorgenti/*brezane-.txt)
sed -i 's/stazione,   15300,  4,  500,/stazione,   15300,  4,  700,/' "$servizio"
for _ in $(seq 200); do [ "$(grep -c '^data: {' "$lavoro/eventi")" -ge 2 ] && break; sleep 0.1; done
[ "$(grep -c '^data: {' "$lavoro/eventi")" -ge 2 ] && grep '^data: {' "$lavoro/eventi" | tail -n 1 | grep -q '"to":15650'
verifica $? "a saved change reaches the stream"
kill "$flusso" 2>/dev/null || true

# A source file that cannot be read is reported on the live page in check's words.
curl -s -N --max-time 60 "${indirizzo}events" >"$lavoro/eventi" 2>/dev/null &
flusso=$!
attendi_evento() {  # attendi_evento TEXT: until the latest event holds TEXT, 20 s at most
  for _ in $(seq 200); do
    grep '^data: {' "$lavoro/eventi" | tail -n 1 | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  return 1
}
parole_di_check() {  # the reason check gives for the file it refuses
  "${programma[@]}" check "$lavoro/sorgenti" 2>&1 >/dev/null | sed -n 's/^scenario_tool: .*: //p' | head -n 1 || true
}
cp "$servizio" "$lavoro/servizio"
truncate -s 16777217 "$servizio"
parole=$(parole_di_check)
[ "$parole" = "larger than 16777216 bytes" ] && attendi_evento "\"message\":\"$parole\""
verifica $? "a source larger than 16 MiB is reported as check reports it: $parole"
case "${programma[0]}" in
  *wine*) ;;  # no FIFO for a Windows program
  *)
    rm "$servizio" && mkfifo "$servizio"
    parole=$(parole_di_check)
    [ "$parole" = "not a regular file" ] && attendi_evento "\"message\":\"$parole\""
    verifica $? "a FIFO in place of a source is reported as check reports it: $parole"
    rm "$servizio" ;;
esac
cp "$lavoro/servizio" "$servizio"
attendi_evento '"to":15650'
verifica $? "the source put back is drawn again"
kill "$flusso" 2>/dev/null || true

risposte="$(stato "${indirizzo}x") $(stato --path-as-is "${indirizzo}../x") $(stato -H 'Host: example.com' "$indirizzo")"
risposte="$risposte $(stato -H 'Origin: http://example.com' "$indirizzo") $(stato -X POST "$indirizzo")"
risposte="$risposte $(stato -H "Host: example.com:$porta" "${indirizzo}events")"
vuote=$(for r in $risposte; do [ "${r:0:1}" = 4 ] && echo ok; done | wc -l)
[ "$vuote" -eq 6 ] && [ ! -s "$lavoro/corpo" ]
verifica $? "another path, a foreign Host, another origin or method get no content: $risposte"

ferma
[ ! -e "$lavoro/aperti" ]
verifica $? "no browser is started without --open"

avvia --open
for _ in $(seq 100); do [ -s "$lavoro/aperti" ] && break; sleep 0.1; done
[ "$(cat "$lavoro/aperti" 2>/dev/null)" = "$indirizzo" ]
verifica $? "--open starts the browser once, on $indirizzo: $(cat "$lavoro/aperti" 2>/dev/null | tr '\n' ' ')"
ferma
[ "$falliti" -eq 0 ] && echo "every check passed" || { echo "$falliti checks failed"; exit 1; }
