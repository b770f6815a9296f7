#!/usr/bin/env bash
# Desktop application benchmark: start-up and opening a 2 MB program (offscreen).
# Usage: bench/app.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/app.sh BUILD_DIR}
exe="$build/bench/app/vokc_app_bench"
echo "== Application : démarrage et ouverture d'un gros programme"
if [ ! -x "$exe" ]; then
  echo "application : $exe absent (construit seulement quand Qt 6 est trouvé)" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen "$exe"
echo
echo "== Application : voir le programme tourner (panneau des variables, historique)"
QT_QPA_PLATFORM=offscreen "$build/bench/app/vokc_watch_bench" 2>&1 | grep -v "^This plugin\|^QStandardPaths"
