#!/usr/bin/env bash
# A short check of `scenario_tool view --serve` from outside, with curl, every wait
# bounded: the page and the stream of data are answered on 127.0.0.1, a saved change of
# a source file reaches the stream, a source that cannot be read is reported in check's
# words, and another path, a foreign Host, another origin and another method get no
# content; the server stays answering with many streams and slow connections open, and
# refuses more streams than it holds and headers larger than it takes, keeping its
# memory. Runs the program as given, e.g. under Wine:
#
#   tools/prova_vista_servita.sh build/scenario_tool
#   tools/prova_vista_servita.sh wine build-windows/scenario_tool.exe
#
# The sources are written by the program itself (`sources`). Needs curl and bash's
# /dev/tcp.
set -euo pipefail
programma=("$@")
[ ${#programma[@]} -gt 0 ] || { echo "usage: $0 PROGRAM [ARGUMENTS BEFORE view]" >&2; exit 2; }
lavoro=$(mktemp -d)
servitore=
trap '[ -n "$servitore" ] && kill "$servitore" 2>/dev/null; rm -rf "$lavoro"' EXIT
sotto_wine=no
case "${programma[0]}" in *wine*) sotto_wine=si ;; esac
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
  "${programma[@]}" check "$lavoro/sorgenti" 2>&1 >/dev/null | tr -d '\r' | sed -n 's/^scenario_tool: .*: //p' |
    head -n 1 || true
}
cp "$servizio" "$lavoro/servizio"
truncate -s 16777217 "$servizio"
parole=$(parole_di_check)
[ "$parole" = "larger than 16777216 bytes" ] && attendi_evento "\"message\":\"$parole\""
verifica $? "a source larger than 16 MiB is reported as check reports it: $parole"
if [ "$sotto_wine" = no ]; then  # no FIFO for a Windows program
  rm "$servizio" && mkfifo "$servizio"
  parole=$(parole_di_check)
  [ "$parole" = "not a regular file" ] && attendi_evento "\"message\":\"$parole\""
  verifica $? "a FIFO in place of a source is reported as check reports it: $parole"
  rm "$servizio"
fi
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

# Many pages and slow clients at once. With 20 streams open and 8 connections that send
# their request a line a second, or nothing, the page is answered at once (in 100 ms; 1 s
# under Wine); the slow connections are dropped 2 s after they open.
limite_ms=100
[ "$sotto_wine" = si ] && limite_ms=1000
tempo_pagina() {  # milliseconds to fetch the page, to a tenth; 99999 when it is not answered
  local t
  t=$(curl -s -o /dev/null -w '%{http_code} %{time_total}' --max-time 10 "$indirizzo" || true)
  if [ "${t%% *}" = 200 ]; then awk -v s="${t#* }" 'BEGIN { printf "%.1f", s * 1000 }'; else echo 99999; fi
}
entro() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 < b + 0) }'; }  # entro A B: whether A < B
flussi=()
apri_flussi() {  # apri_flussi FROM TO: streams FROM to TO, each into its own file
  for i in $(seq "$1" "$2"); do
    curl -s -N --max-time 120 "${indirizzo}events" >"$lavoro/flusso.$i" 2>/dev/null &
    flussi[$i]=$!
  done
}
aspetta_flussi() {  # aspetta_flussi N: until N streams have had their first event, 30 s at most
  for _ in $(seq 300); do
    [ "$(grep -l '^data: {' "$lavoro"/flusso.* 2>/dev/null | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
apri_flussi 1 20
aspetta_flussi 20
verifica $? "20 streams are open"
inizio=$(date +%s%N)
lenti=()
gocce=()
for i in $(seq 8); do
  exec {presa}<>"/dev/tcp/127.0.0.1/$porta"
  lenti+=("$presa")
  printf 'GET / HTTP/1.1\r\n' >&"$presa"
  if [ "$i" -le 4 ]; then  # a header line a second, as a slow client sends them
    (for _ in $(seq 10); do printf 'X-Lento: %s\r\n' "$i" || exit 0; sleep 1; done) >&"$presa" 2>/dev/null &
    gocce+=($!)
  fi
done
ms=$(tempo_pagina)
entro "$ms" "$limite_ms"
verifica $? "with 20 streams and 8 slow connections open the page is answered in $ms ms"
caduti=0
for presa in "${lenti[@]}"; do
  letto=0
  read -r -t 6 -u "$presa" _ || letto=$?
  [ "$letto" -eq 1 ] && caduti=$((caduti + 1))  # the end of the connection, not the time out
  exec {presa}>&-
done
ms=$((($(date +%s%N) - inizio) / 1000000))
kill "${gocce[@]}" 2>/dev/null || true
[ "$caduti" -eq 8 ] && [ "$ms" -lt 4000 ]
verifica $? "the slow connections are dropped: $caduti of 8, all in $ms ms"

# At most 32 streams: one more gets 503. A stream whose client goes gives its place
# back at once, and once they have all gone the page is answered at once.
apri_flussi 21 32
aspetta_flussi 32
verifica $? "32 streams are open"
[ "$(stato "${indirizzo}events")" = 503 ]
verifica $? "one stream more gets 503"
kill "${flussi[1]}"
inizio=$(date +%s%N)
for _ in $(seq 50); do  # a new stream, until one is let open (its first second is enough)
  tentativo=$(date +%s%N)
  codice=$(curl -s -N --max-time 1 -o /dev/null -w '%{http_code} %{time_starttransfer}' "${indirizzo}events" || true)
  [ "${codice%% *}" = 200 ] && break
done
ms=$(awk -v a="$((tentativo - inizio))" -v s="${codice#* }" 'BEGIN { printf "%.1f", a / 1e6 + s * 1000 }')
[ "${codice%% *}" = 200 ] && entro "$ms" 1000
verifica $? "a stream whose client has gone gives its place back: a new one opened $ms ms after"
kill "${flussi[@]}" 2>/dev/null || true
ms=$(tempo_pagina)
entro "$ms" "$limite_ms"
verifica $? "once the streams have gone the page is answered in $ms ms"

# Headers: 200 lines get 431; 30 MB of them are refused after their first 32 KiB, and
# the server's memory stays as it was (under 64 MB natively).
awk 'BEGIN { for (i = 0; i < 200; i++) printf "X-Riga-%d: 1\n", i }' >"$lavoro/righe"
codice=$(stato -H @"$lavoro/righe" "$indirizzo")
[ "$codice" = 431 ]
verifica $? "a request of 200 header lines gets 431: $codice"
memoria() { awk '/^VmRSS:/ { print $2 }' "/proc/$servitore/status" 2>/dev/null || echo 0; }
prima=$(memoria)
awk 'BEGIN { r = sprintf("%1000s", ""); gsub(/ /, "a", r); for (i = 0; i < 30000; i++) print "X-Grande: " r }' \
  >"$lavoro/grandi"
curl -s -o /dev/null --max-time 30 -H @"$lavoro/grandi" "$indirizzo" || true
dopo=$(memoria)
ms=$(tempo_pagina)
entro "$ms" "$limite_ms" && [ $((dopo - prima)) -lt 16384 ] && { [ "$sotto_wine" = si ] || [ "$dopo" -lt 65536 ]; }
verifica $? "30 MB of headers are refused: resident memory $prima kB before, $dopo kB after; the page then in $ms ms"

ferma
[ ! -e "$lavoro/aperti" ]
verifica $? "no browser is started without --open"

avvia --open
for _ in $(seq 100); do [ -s "$lavoro/aperti" ] && break; sleep 0.1; done
[ "$(cat "$lavoro/aperti" 2>/dev/null)" = "$indirizzo" ]
verifica $? "--open starts the browser once, on $indirizzo: $(cat "$lavoro/aperti" 2>/dev/null | tr '\n' ' ')"
ferma
[ "$falliti" -eq 0 ] && echo "every check passed" || { echo "$falliti checks failed"; exit 1; }
