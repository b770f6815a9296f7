#!/usr/bin/env bash
# Generates a class for the grading benchmark: an exercise folder of 5 cases (sum of
# 3 x i for i from 1 to n) and COUNT small loop programs (100 by default), one in seven
# with an off-by-one error. The expected outputs come from a reference program run
# through vokc-run.
# Usage: bench/grade/generate.sh VOKC_RUN DIR [COUNT]
set -euo pipefail
runner=$1
dir=$2
count=${3:-100}
rm -rf "$dir"
mkdir -p "$dir/cas" "$dir/copies"

program() { # program NUMBER COMPARISON
  cat <<EOP
/* Copie $1 : somme de 3 x i pour i de 1 à n */
int n, i$1, r, s
main()
{
  printf("Nombre ? ")
  scanf("%d", &n)
  s = 0
  for (i$1 = 1; i$1 $2 n; i$1++)
  {
    r = i$1 * 3
    s = s + r
  }
  printf("Somme : ")
  printf("%d\n", s)
}
EOP
}

program 0 "<=" > "$dir/reference.c"
k=1
for n in 10 100 250 500 1000; do
  echo "$n" > "$dir/cas/$k.in"
  (cd "$dir/cas" && "$runner" ../reference.c < "$k.in" > "$k.out")
  k=$((k + 1))
done
for p in $(seq 1 "$count"); do
  if [ $((p % 7)) -eq 0 ]; then op="<"; else op="<="; fi
  program "$p" "$op" > "$dir/copies/copie$(printf '%03d' "$p").c"
done
