#!/usr/bin/env bash
# Runs every scratch program with --hints and prints what the student reads.
here=$(cd "$(dirname "$0")" && pwd)
runner=${1:-$here/../build/vokc-run}
runner=$(cd "$(dirname "$runner")" && pwd)/$(basename "$runner")
work=$(mktemp -d)
set=${SET:-mistakes} # the folder of programs
for c in "$here"/$set/*.c; do
  name=$(basename "$c" .c)
  line=$(head -n 1 "$here/$set/$name.fix")
  input=/dev/null; [ -f "$here/$set/$name.in" ] && input=$here/$set/$name.in
  rm -rf "$work/run"; mkdir -p "$work/run"
  (cd "$work/run" && timeout 20 "$runner" --hints --max-steps 100000 --decimal-separator , "$c" < "$input" > /dev/null 2> "$work/err")
  reports=$(grep -F "$c:" "$work/err" | grep -v -e 'nombre maximal de lignes' -e 'exécution arrêtée')
  here_r=$(printf '%s\n' "$reports" | grep -F "$c:$line: ")
  tag=SILENT; [ -n "$reports" ] && tag=OTHERLINE
  [ -n "$here_r" ] && tag=ATLINE
  printf '%s\n' "$here_r" | grep -Eq "^[^ ]*: (astuce|avertissement) : " && tag=HELPED
  echo "=== $name (ligne $line) [$tag]"
  sed "s|$here/$set/||" "$work/err" | sed 's/^/    /'
done
rm -rf "$work"
