#!/usr/bin/env bash
# Runs the benchmarks side by side with their peers and prints times and ratios.
# Usage: bench/run.sh BUILD_DIR
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
runs=${BENCH_RUNS:-5}

# Best wall time in milliseconds of a command over $runs runs (its output is dropped).
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

# rate LINES MS: lines per second.
rate() { awk -v l="$1" -v ms="$2" 'BEGIN { if (ms < 1) ms = 1; printf "%.1f M lignes/s", l / ms / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a < 1) a = 1; printf "%.2f", b / a }'; }

# Sum of 1 to 1,000,000 in a FOR loop. Lines executed: vokc 2 per pass (body and the
# injected NEXT), python3 3 per pass (test, sum, increment), bwbasic 2 (sum, NEXT).
n=1000000
echo "== Boucle FOR, somme de 1 à $n (meilleur de $runs exécutions)"
v=$(best_ms "$build/vokc-run" "$here/programs/for_sum.c")
echo "vokc-run : $v ms ($(rate $((2 * n)) "$v"))"
if command -v python3 > /dev/null; then
  p=$(best_ms python3 "$here/programs/for_sum.py")
  echo "python3  : $p ms ($(rate $((3 * n)) "$p")) ; vokc-run est $(ratio "$v" "$p") fois plus rapide"
fi
if command -v bwbasic > /dev/null; then
  b=$(best_ms bwbasic "$here/programs/for_sum.bas")
  echo "bwbasic  : $b ms ($(rate $((2 * n)) "$b")) ; vokc-run est $(ratio "$v" "$b") fois plus rapide"
fi

# Lines that vokc-run executes for a program, counted by its own trace.
vokc_lines() { "$build/vokc-run" --trace "$1" 2>&1 > /dev/null | wc -l; }

# compare NAME PYTHON_LINES: one program side by side with its python3 version.
compare() {
  local name=$1 pylines=$2
  local lines v p
  lines=$(vokc_lines "$here/programs/$name.c")
  v=$(best_ms "$build/vokc-run" "$here/programs/$name.c")
  echo "vokc-run : $v ms ($(rate "$lines" "$v"), $lines lignes)"
  if command -v python3 > /dev/null; then
    p=$(best_ms python3 "$here/programs/$name.py")
    echo "python3  : $p ms ($(rate "$pylines" "$p")) ; vokc-run est $(ratio "$v" "$p") fois plus rapide"
  fi
}

echo
echo "== Boucle WHILE avec IF/ELSE et concaténation de chaînes, 200000 passages"
compare while_if_concat $((5 * 200000))
echo
echo "== Procédure appelée depuis une boucle FOR, 200000 appels"
compare call_in_for $((3 * 200000))

echo
echo "== Construction d'une chaîne : strcat d'un caractère, $n fois dans une boucle FOR"
sc=$(best_ms "$build/vokc-run" "$here/programs/strcat_for.c")
echo "vokc-run : $sc ms, soit $(ratio "$v" "$sc") fois la boucle FOR de somme ($v ms ; objectif : 3 au plus)"
c1=$(best_ms "$build/vokc-run" "$here/programs/concat_for.c")
echo "vokc-run, s = s + \"abcdefghi\" 100000 fois : $c1 ms"
c10=$(best_ms "$build/vokc-run" "$here/programs/concat_for_10x.c")
echo "vokc-run, s = s + \"abcdefghi\" 1000000 fois (10 chaînes de 100000 morceaux) : $c10 ms"
if command -v python3 > /dev/null; then
  pf=$(best_ms python3 "$here/programs/strcat_function.py")
  echo "python3, s += \"x\" $n fois dans une fonction : $pf ms ; vokc-run (strcat) est $(ratio "$sc" "$pf") fois plus rapide"
  # At module level python3 copies the text at every pass: one run is enough.
  pm=$(runs=1 best_ms python3 "$here/programs/strcat_module.py")
  echo "python3, s += \"x\" $n fois au niveau du module (1 exécution) : $pm ms ; vokc-run (strcat) est $(ratio "$sc" "$pm") fois plus rapide"
fi

for extra in "$here"/*.sh; do
  case "$(basename "$extra")" in run.sh) continue ;; esac
  echo
  bash "$extra" "$build"
done
