#!/usr/bin/env bash
# Runs the fuzzers built in BUILD for SECONDS each, one after the other, each in a single
# process (one core).
#   fuzz/run.sh BUILD SECONDS [interpreter|line_cache|colour|confine]...   (all when none is named)
# The corpus of each fuzzer grows in BUILD/corpus/NAME and is kept from run to run; the
# seeds (the programs of tests/programs, examples and fuzz/interpreter_seeds with their
# console input NAME.in and editor commands NAME.cmd in hexadecimal; for the colours also
# fuzz/colour_seeds) are written afresh into BUILD/seeds/NAME. Findings go to BUILD/findings/NAME, the log to BUILD/logs/NAME.log.
# The line cache's fuzzer takes the interpreter's seeds. The interpreter fuzzers run from
# the scratch directory BUILD/scratch. Exit status 1
# when a fuzzer found a crash, a hang, a leak or a sanitizer report.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD SECONDS [interpreter|line_cache|colour|confine]..." >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
seconds=$2
shift 2
names=("$@")
if [ ${#names[@]} -eq 0 ]; then names=(interpreter line_cache colour confine); fi

# Program texts as the interpreter reads them: Windows-1252 when they were UTF-8.
as_cp1252() {
  iconv -f UTF-8 -t WINDOWS-1252 "$1" 2>/dev/null || cat "$1"
}

make_seeds() {
  local name=$1 dir=$build/seeds/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  local prog base input
  # The confinement fuzzer's inputs are operations, not programs: a few seeds of its own.
  if [ "$name" = confine ]; then
    cp "$root"/fuzz/confine_seeds/* "$dir/"
    return
  fi
  for prog in "$root"/tests/programs/*.c "$root"/examples/*.c "$root"/fuzz/interpreter_seeds/*.c; do
    base=$(basename "$prog" .c)
    if [ "$name" = colour ]; then
      cp "$prog" "$dir/$base"
      continue
    fi
    # The console input of a test program lies beside it, that of an example in tests/.
    input=${prog%.c}.in
    if [[ $prog == "$root/examples/"* ]]; then input=$root/tests/examples/$base.in; fi
    if [ ! -f "$input" ]; then input=""; fi
    commands=${prog%.c}.cmd
    if [ ! -f "$commands" ]; then commands=""; fi
    {
      as_cp1252 "$prog"
      if [ -n "$input" ] || [ -n "$commands" ]; then
        printf '\0\0'
        if [ -n "$input" ]; then cat "$input"; fi
      fi
      if [ -n "$commands" ]; then
        printf '\0\0'
        for byte in $(cat "$commands"); do printf "\\x$byte"; done
      fi
    } >"$dir/$base"
  done
  if [ "$name" = colour ]; then cp "$root"/fuzz/colour_seeds/* "$dir/"; fi
}

status=0
for name in "${names[@]}"; do
  fuzzer=$build/${name}_fuzzer
  if [ ! -x "$fuzzer" ]; then
    echo "fuzz/run.sh: $fuzzer manquant (make fuzz)" >&2
    exit 2
  fi
  make_seeds "$name"
  mkdir -p "$build/corpus/$name" "$build/findings/$name" "$build/logs" "$build/scratch"
  # The confinement fuzzer makes a folder of its own there at each run.
  rm -rf "$build/scratch"/confine-*
  log=$build/logs/$name.log
  dict=""
  if [ -f "$root/fuzz/$name.dict" ]; then dict=-dict=$root/fuzz/$name.dict; fi
  echo "fuzz: $name pendant ${seconds} s (journal : $log)"
  set +e
  (cd "$build/scratch" &&
    "$fuzzer" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
      ${dict:+"$dict"} -artifact_prefix="$build/findings/$name/" \
      "$build/corpus/$name" "$build/seeds/$name") >"$log" 2>&1
  rc=$?
  set -e
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done [0-9]+ runs' "$log" | sed 's/^/  /' || true
  if [ $rc -ne 0 ]; then
    status=1
    echo "fuzz: $name a trouvé un problème (statut $rc) :" >&2
    grep -E -A12 '^==[0-9]+==ERROR|runtime error|^check failed|ALARM|out-of-memory|leak' "$log" | head -40 >&2 || tail -40 "$log" >&2
    grep -E 'Test unit written to' "$log" >&2 || true
    echo "  reproduire : (cd $build/scratch && $fuzzer FICHIER)" >&2
  fi
done
exit $status
