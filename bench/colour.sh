#!/usr/bin/env bash
# Colouring benchmark: a pass of the editor's colour rules over a 10,000-line program, side
# by side with a line-by-line QRegularExpression highlighter; prints the time per pass of
# each and the ratio.
# Usage: bench/colour.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/colour.sh BUILD_DIR}
exe="$build/bench/colour/vokc_colour_bench"
if [ ! -x "$exe" ]; then
  echo "coloration : $exe absent (construit seulement quand Qt 6 est trouvé)" >&2
  exit 1
fi
"$exe"
