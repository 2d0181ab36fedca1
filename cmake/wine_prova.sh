#!/bin/sh
# The emulator of the Windows test suite (the windows-tests preset): runs one program
# under Wine with its output caught in files, and hands the output on when it ends.
# Wine's services (started with the first program of a Wine server) outlive that program
# and inherit its streams: given ctest's pipes, they would keep ctest waiting for the
# end of a test that is over, for as long as the server lives.
set -u
catturato=$(mktemp -d) || exit 1
trap 'rm -rf "$catturato"' EXIT
wine "$@" >"$catturato/uscita" 2>"$catturato/errori" </dev/null
stato=$?
cat "$catturato/uscita"
cat "$catturato/errori" >&2
exit "$stato"
