#!/usr/bin/env bash
# Memo benchmark: one full colouring pass and one typed-letter pass of the editor's memo on
# a 20,000-line program with 60 lines shown, side by side with a QSyntaxHighlighter
# rehighlighting the same document; prints the times, their ratio and the allocations.
# Usage: bench/memo.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/memo.sh BUILD_DIR}
exe="$build/bench/memo/vokc_memo_bench"
if [ ! -x "$exe" ]; then
  echo "mémo : $exe absent (construit seulement quand Qt 6 est trouvé)" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen "$exe"
