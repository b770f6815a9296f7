#!/usr/bin/env bash
# The warnings vokc-run --hints gives before the run on every program of the project that
# is meant to be correct: the tests' programs, the examples and the help's examples.
# Usage: baseline.sh VOKC_RUN > FILE
root=$(cd "$(dirname "$0")/.." && pwd)
runner=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
find "$root/tests/programs" "$root/examples" "$root/docs/help/examples" "$root/tests/scenarios" -name '*.c' | sort |
while read -r c; do
  (cd "$work" && timeout 10 "$runner" --hints --max-steps 1 "$c" < /dev/null > /dev/null 2> "$work/err")
  grep -F ": avertissement : " "$work/err" | sed "s|$root/||"
done
rm -rf "$work"
