#!/usr/bin/env bash
# Kills a compile at every file-related system call, and checks that the folder is
# never left with a mixed set.
#
#   tools/prova_interruzioni.sh BUILD_DIR
#
# For `scenario_tool compile` and for `genera_scenario`, and for each system call
# below: the program is run once for every call of that kind it makes, killed with
# SIGKILL at that call (strace's fault injection). A kill between two renames of the set
# leaves a mixed set and the journal; a run that then fails (`compile` of a folder with
# no sources) must leave one whole set, the earlier or the new one, and no journal; then
# a run that succeeds must leave the new set and nothing else of its own. Then the
# same with renames that keep failing with EIO and EXDEV: the earlier set stays whole,
# or the one line of the failure names where the earlier files are. Needs strace.
set -euo pipefail
build=$(cd "$1" && pwd)
tool="$build/scenario_tool"
genera="$build/genera_scenario"
chiamate=(${CHIAMATE:-openat newfstatat read pread64 pwrite64 write fsync close rename link unlink flock getdents64})

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
cd "$lavoro"

# Two sets of sources whose three compiled files all differ: the built-in ones (A) and
# a route 1 km shorter with one coach less (B).
"$tool" sources A >/dev/null
cp -r A B
sed -i 's/lunghezza percorso,    228000/lunghezza percorso,    227000/' B/*_linea.txt
sed -i 's/numero vetture,    12/numero vetture,    11/' B/*brezane-.txt
mkdir vuota
"$tool" compile -w A set_A >/dev/null
"$tool" compile -w B set_B >/dev/null
compilati=(QUMA-DORVIA_MIRELO_linea.dat QUMA-DORVIA_MIRELO_brezane.sim QUMA-DORVIA_MIRELO_brezane.dat)

# Which whole set the folder $1 holds: A, B, or "mixed".
insieme() {
  local nome uguale
  for nome in A B; do
    uguale=1
    for f in "${compilati[@]}"; do cmp -s "$1/$f" "set_$nome/$f" || uguale=0; done
    if [ $uguale = 1 ]; then echo $nome; return; fi
  done
  echo mixed
}

fallimenti=0
prove=0
misti=0
sbaglio() {
  echo "FAILED: $*"
  fallimenti=$((fallimenti + 1))
}

# $1: a label; $2: the folder; $3: the new set; then the command to kill.
spazza() {
  local etichetta=$1 cartella=$2 nuovo=$3
  shift 3
  local chiamata quante n stato
  for chiamata in "${chiamate[@]}"; do
    prepara "$cartella"
    strace -f -qq -o conteggio -e trace="$chiamata" -e signal=none "$@" >/dev/null 2>&1
    quante=$(grep -cE "^[0-9]+ +$chiamata\(" conteggio || true)
    for ((n = 1; n <= quante; n++)); do
      prepara "$cartella"
      { strace -f -o /dev/null -e inject="$chiamata":signal=SIGKILL:when=$n "$@" >/dev/null 2>&1 || true; } 2>/dev/null
      prove=$((prove + 1))
      [ "$(insieme "$cartella")" != mixed ] || misti=$((misti + 1))
      "$tool" compile -w vuota "$cartella" >/dev/null 2>&1 && sbaglio "$etichetta: $chiamata #$n: the failing run succeeded"
      stato=$(insieme "$cartella")
      [ "$stato" != mixed ] || sbaglio "$etichetta: $chiamata #$n: a mixed set after a failing run"
      [ ! -e "$cartella/.genera_scenario.journal" ] || sbaglio "$etichetta: $chiamata #$n: the journal stayed"
      "$@" >/dev/null 2>&1 || sbaglio "$etichetta: $chiamata #$n: the run after it failed"
      stato=$(insieme "$cartella")
      [ "$stato" = "$nuovo" ] || sbaglio "$etichetta: $chiamata #$n: $stato after a good run, not $nuovo"
      if ls -A "$cartella" | grep -q -e 'tmp~$' -e journal; then
        sbaglio "$etichetta: $chiamata #$n: leftovers: $(ls -A "$cartella" | grep -e 'tmp~$' -e journal | tr '\n' ' ')"
      fi
    done
    echo "$etichetta: $chiamata: $quante kills"
  done
}

# compile: the folder holds set A; B is compiled into it.
prepara() { rm -rf "$1" && cp -r set_A "$1"; }
spazza compile out B "$tool" compile -w B out

# genera_scenario: the folder holds set B and the program; it writes and compiles A.
prepara() {
  rm -rf "$1" && cp -r set_B "$1" && cp "$genera" "$1/"
}
spazza genera_scenario corsa A env -u DISPLAY "$lavoro/corsa/genera_scenario"

# Renames that keep failing, from the first one of the set on (the first rename is the
# journal's): the earlier set stays whole, or the line names the backups.
for errore in EIO EXDEV; do
  for da in 1 2 3 4; do
    rm -rf out && cp -r set_A out
    riga=$(strace -f -o /dev/null -e inject=rename:error=$errore:when=$da+ "$tool" compile -w B out 2>&1 >/dev/null || true)
    prove=$((prove + 1))
    stato=$(insieme out)
    if [ "$stato" != A ] && ! grep -q "the earlier files are kept in" <<<"$riga"; then
      sbaglio "rename $errore from #$da: $stato, and the line names no backups: $riga"
    fi
    [ "$(wc -l <<<"$riga")" = 1 ] || sbaglio "rename $errore from #$da: more than one line: $riga"
    "$tool" compile -w vuota out >/dev/null 2>&1 || true
    [ "$(insieme out)" = A ] || sbaglio "rename $errore from #$da: the next run did not put set A back"
    echo "rename $errore from #$da: $stato; $riga"
  done
done

# A run stopped while it holds the lock (SIGSTOP at its first write): a second one says
# within 2 s that it waits, and gives up at its limit with exit 2, the folder untouched;
# genera_scenario's second run, once the first goes on, does its work.
rm -rf out && cp -r set_A out
strace -o /dev/null -e inject=pwrite64:signal=SIGSTOP:when=1 "$tool" compile -w A out >/dev/null 2>&1 &
primo=$!
sleep 0.5
"$tool" compile -w --wait 3 B out >/dev/null 2>secondo.txt &
secondo=$!
sleep 2
grep -q "waiting for it (at most 3 s)" secondo.txt || sbaglio "a second compile did not say within 2 s that it waits"
stato=0
wait $secondo || stato=$?
[ $stato = 2 ] || sbaglio "a second compile ended with $stato at its limit, not 2"
grep -q "gave up after 3 s" secondo.txt || sbaglio "a second compile did not say that it gave up: $(cat secondo.txt)"
kill -CONT $(pgrep -P $primo)
wait $primo || sbaglio "the stopped compile failed once continued"
[ "$(insieme out)" = A ] || sbaglio "the folder is not set A after the stopped compile and the one that gave up"
echo "a compile beside a stopped one: $(head -1 secondo.txt)"

prepara corsa
strace -o /dev/null -e inject=pwrite64:signal=SIGSTOP:when=1 env -u DISPLAY corsa/genera_scenario >/dev/null 2>&1 &
primo=$!
sleep 0.5
env -u DISPLAY corsa/genera_scenario >/dev/null 2>secondo.txt &
secondo=$!
sleep 2
grep -q "waiting for it" secondo.txt || sbaglio "a second genera_scenario did not say within 2 s that it waits"
kill -CONT $(pgrep -P $primo)
wait $primo || sbaglio "the stopped genera_scenario failed once continued"
wait $secondo || sbaglio "the second genera_scenario failed"
[ "$(insieme corsa)" = A ] || sbaglio "the folder is not set A after two genera_scenario runs"
echo "a genera_scenario beside a stopped one: $(head -1 secondo.txt)"

echo "$prove runs killed or failed ($misti kills left a mixed set and its journal for the next run), $fallimenti failures"
[ $fallimenti = 0 ]
