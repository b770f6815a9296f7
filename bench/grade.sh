#!/usr/bin/env bash
# Grading benchmark: 100 programs x 5 cases with vokc-run --grade, side by side with the
# obvious shell loop that calls vokc-run once per run and compares with diff.
# Usage: bench/grade.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/grade.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
runner=$(cd "$build" && pwd)/vokc-run
runs=${BENCH_GRADE_RUNS:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/vokc-bench-grade-XXXXXX")
trap 'rm -rf "$work"' EXIT

bash "$here/grade/generate.sh" "$runner" "$work/classe"
cd "$work/classe"

# One line per run: PROGRAM,CASE,réussi or PROGRAM,CASE,non réussi.
shell_loop() {
  for p in copies/*.c; do
    for expected in cas/*.out; do
      name=$(basename "$expected" .out)
      if (cd cas && "$runner" "../$p" < "$name.in" > "$work/sortie.txt" 2> /dev/null) &&
         diff -q "$expected" "$work/sortie.txt" > /dev/null; then
        echo "$p,$name,réussi"
      else
        echo "$p,$name,non réussi"
      fi
    done
  done
}
graded() {
  "$runner" --grade cas --format csv copies/*.c | tail -n +2 | tr -d '\r' |
    awk -F, '{ print $1 "," $2 "," ($3 == "réussi" ? "réussi" : "non réussi") }' || true
}

# Best wall time in milliseconds of a function over $runs runs; its output is kept in $2.
best_ms() {
  local best=""
  for _ in $(seq "$runs"); do
    local t0 t1 ms
    t0=$(date +%s%N)
    "$1" > "$2"
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

echo "== Notation : 100 programmes x 5 cas (meilleur de $runs exécutions, $(nproc) processeurs)"
g=$(best_ms graded "$work/grade.txt")
l=$(best_ms shell_loop "$work/boucle.txt")
echo "vokc-run --grade      : $g ms"
echo "boucle shell + diff   : $l ms ; --grade est $(awk -v a="$g" -v b="$l" 'BEGIN { if (a < 1) a = 1; printf "%.2f", b / a }') fois plus rapide"
passed=$(grep -c ',réussi$' "$work/grade.txt" || true)
if cmp -s "$work/grade.txt" "$work/boucle.txt"; then
  echo "verdicts identiques : $(wc -l < "$work/grade.txt") exécutions, $passed réussies"
else
  echo "verdicts DIFFÉRENTS :"
  diff "$work/grade.txt" "$work/boucle.txt" | head -20
  exit 1
fi
