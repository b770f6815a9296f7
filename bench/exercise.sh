#!/usr/bin/env bash
# Exercises in the application, measured against vokc-run:
# - a student's check of one program against 10 cases, beside the runs themselves (the
#   same program run by vokc-run on each case's input, one after the other); goal: the
#   check adds less than 100 ms;
# - a teacher's grading of 300 programs x 5 cases in the grading window, beside
#   vokc-run --grade on the same class; goal: 1.2 times at most.
# Usage: bench/exercise.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: bench/exercise.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
runner=$build/vokc-run
exe=$build/bench/app/vokc_exercise_bench
work=$(mktemp -d "${TMPDIR:-/tmp}/vokc-bench-exercise-XXXXXX")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# Best wall time in milliseconds of a command over three runs.
best_ms() {
  local best=""
  for _ in 1 2 3; do
    local t0 t1 ms
    t0=$(date +%s%N)
    "$@" > /dev/null 2>&1
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

# A check: the benchmark class's exercise with 10 cases, its reference program.
bash "$here/grade/generate.sh" "$runner" "$work/verif" 1
for n in 2000 5000 20000 50000 100000; do
  k=$(( $(ls "$work/verif/cas" | grep -c '\.in$') + 1 ))
  echo "$n" > "$work/verif/cas/$k.in"
  (cd "$work/verif/cas" && "$runner" ../reference.c < "$k.in" > "$k.out")
done
runs_alone() {
  for input in "$work"/verif/cas/*.in; do
    (cd "$work/verif/cas" && "$runner" ../reference.c < "$input" > /dev/null)
  done
}
echo "== Exercices : vérifier un programme sur 10 cas (meilleur de 3)"
alone=$(best_ms runs_alone)
check=$(VOKC_RUN=$runner "$exe" check "$work/verif/cas" "$work/verif/reference.c" 2> /dev/null)
echo "les 10 exécutions seules (vokc-run, l'une après l'autre) : $alone ms"
echo "Vérifier dans la fenêtre                              : $check ms ; $(( check - alone )) ms de plus (objectif : moins de 100)"

echo
echo "== Exercices : corriger 300 programmes x 5 cas ($(nproc) processeurs, meilleur de 3)"
bash "$here/grade/generate.sh" "$runner" "$work/classe" 300
cd "$work/classe"
cli=$(best_ms "$runner" --grade cas --format csv copies/*.c)
window=$(VOKC_RUN=$runner "$exe" grade cas copies/*.c 2> /dev/null)
times() { awk -v a="$1" -v b="$cli" 'BEGIN { if (b < 1) b = 1; printf "%.2f", a / b }'; }
echo "vokc-run --grade                        : $cli ms"
echo "fenêtre Corriger des programmes         : $window ms ; $(times "$window") fois vokc-run (objectif : 1,2 au plus)"
