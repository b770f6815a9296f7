#!/usr/bin/env bash
# A run in the application (offscreen, through the run session and the real console
# window) against the same run in vokc-run: a computing loop and a printing loop.
# Usage: bench/console.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/console.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
runs=${BENCH_RUNS:-5}
exe="$build/bench/console/vokc_console_bench"
echo "== Application contre vokc-run : une boucle de calcul et une boucle d'affichage"
if [ ! -x "$exe" ]; then
  echo "application : $exe absent (construit seulement quand Qt 6 est trouvé)" >&2
  exit 1
fi

best_ms() {
  local best=""
  for _ in $(seq "$runs"); do
    local t0 t1 ms
    t0=$(date +%s%N)
    "$@" > /dev/null 2>&1 < /dev/null
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a < 1) a = 1; printf "%.2f", b / a }'; }

# side NAME LABEL TARGET [dock]: vokc-run's whole process against the application's run
# alone (with "dock", the variables dock shown).
side() {
  local name=$1 label=$2 target=$3 dock=${4:-}
  local v a
  v=$(best_ms "$build/vokc-run" "$here/programs/$name.c")
  a=$(QT_QPA_PLATFORM=offscreen "$exe" "$here/programs/$name.c" "$runs" $dock 2> /dev/null)
  echo "$label"
  echo "  vokc-run    : $v ms"
  echo "  application : $a ms ; $(ratio "$v" "$a") fois le temps de vokc-run (objectif : au plus $target)"
}
side count_10m "Boucle de calcul, 10 millions de lignes" 1.5
side count_10m "Boucle de calcul, 10 millions de lignes, panneau des variables affiché" 1.5 dock
side print_100k "Boucle d'affichage, 100000 lignes" 5
