#!/usr/bin/env bash
# Each NAME.c of this folder is a small program with one beginner's mistake; NAME.fix
# gives the line to change (first line, counted from 1) and what to write there instead
# (the following lines; none when the line is to be removed), or NAME.ok holds the whole
# corrected program when the fix takes more than that line. NAME.in, when present, is the
# standard input.
# For every program, vokc-run --hints must report at the line to change, with a hint or a
# warning there; and the corrected program must run to its end with nothing at all on
# standard error (no message, no hint, no warning).
# Usage: check_mistakes.sh VOKC_RUN WORK_DIR [NAME...]
set -u
runner=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2" && work=$(cd "$2" && pwd)
shift 2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for c in "$here"/*.c; do names+=("$(basename "$c" .c)"); done
fi

total=0 at_line=0 helped=0 silent=0 failures=0
fail() { echo "ÉCHEC $1 : $2"; failures=$((failures + 1)); }

# run PROGRAM INPUT: vokc-run's standard error in $work/err, its status in $status.
run() {
  local dir=$work/run
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && timeout 20 "$runner" --hints --max-steps 100000 --decimal-separator , \
     "$1" < "$2" > "$work/out" 2> "$work/err")
  status=$?
}

for name in "${names[@]}"; do
  prog=$here/$name.c
  fix=$here/$name.fix
  input=/dev/null
  [ -f "$here/$name.in" ] && input=$here/$name.in
  if [ ! -f "$fix" ]; then fail "$name" "pas de fichier $name.fix"; continue; fi
  total=$((total + 1))
  line=$(head -n 1 "$fix")

  run "$prog" "$input"
  # Lines of the form PROGRAM:LINE: TEXT, the runner's own end of run aside: the step limit
  # stops a program that never ends, and a run stopped without a message is only followed
  # by "exécution arrêtée"; neither tells the student anything.
  reports=$(grep -F "$prog:" "$work/err" | grep -v -e 'nombre maximal de lignes' -e 'exécution arrêtée')
  here_reports=$(printf '%s\n' "$reports" | grep -F "$prog:$line: ")
  if [ -z "$reports" ]; then silent=$((silent + 1)); fi
  if [ -n "$here_reports" ]; then at_line=$((at_line + 1)); fi
  if printf '%s\n' "$here_reports" | grep -Eq "^[^ ]*: (astuce|avertissement) : "; then
    helped=$((helped + 1))
  else
    fail "$name" "ni astuce ni avertissement à la ligne $line :"
    sed 's/^/    /' "$work/err"
  fi

  # The corrected program: the line replaced by the rest of NAME.fix.
  fixed=$work/$name.c
  if [ -f "$here/$name.ok" ]; then
    cp "$here/$name.ok" "$fixed"
  else
    awk -v n="$line" -v fix="$fix" '
    FNR == NR { if (FNR > 1) repl = repl $0 "\n"; next }
    FNR == n { printf "%s", repl; next }
    { print }' "$fix" "$prog" > "$fixed"
  fi
  run "$fixed" "$input"
  if [ "$status" -ne 0 ] || [ -s "$work/err" ]; then
    fail "$name" "le programme corrigé ne s'exécute pas proprement (statut $status) :"
    sed 's/^/    /' "$work/err"
  fi
done

echo "$total programmes : $at_line signalés à la ligne à changer, $helped avec astuce ou" \
     "avertissement à cette ligne, $silent sans aucun message"
[ "$failures" -eq 0 ]
