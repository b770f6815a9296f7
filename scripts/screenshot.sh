#!/usr/bin/env bash
# Takes the screenshot that the AppStream description shows: Vok C on a virtual X
# screen with a window manager, an example program opened and run, so that its editor
# and the "Ecran" window with the output are both visible. The settings, recovery files
# and fonts are those of a new user (a temporary home).
# Usage: scripts/screenshot.sh [VOKC [OUTPUT.png]]   (default: build/vokc, packaging/vokc-screenshot.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
vokc=$(realpath "${1:-$root/build/vokc}")
out=$(realpath -m "${2:-$root/packaging/vokc-screenshot.png}")
[ -x "$vokc" ] || { echo "screenshot.sh: $vokc introuvable (make build d'abord)" >&2; exit 2; }
"$root/scripts/setup.sh" screenshot

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A free display: Xvfb writes the number it took.
Xvfb -screen 0 1024x768x24 -nolisten tcp -displayfd 3 3> "$work/display" 2> "$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

cp "$root/examples/boucles.c" "$work/boucles.c"
"$vokc" "$work/boucles.c" > "$work/vokc.log" 2>&1 &
pids+=($!)
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vok C$' | head -n1)
# The main window fills the screen; the program runs (F9) and its output appears.
xdotool windowactivate --sync "$main"
xdotool windowsize --sync "$main" 100% 100%
sleep 1
# Fenêtre > Mosaïque: the editor fills the main window.
xdotool key --window "$main" alt+n m
sleep 1
xdotool key --window "$main" F9
# The screen window, named after the program while it runs, goes to the lower right.
console=$(timeout 30 xdotool search --sync --onlyvisible --name 'Vok C - boucles' | head -n1)
xdotool windowmove --sync "$console" 480 260
xdotool windowsize --sync "$console" 520 440
sleep 2
import -window root "$work/shot.png"
# Without metadata (dates) so that the same screen gives the same file.
convert "$work/shot.png" -strip "$out"
echo "capture : $out"
