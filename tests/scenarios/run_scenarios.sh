#!/usr/bin/env bash
# Scenarios played on the real application under a real X server, with real key and
# mouse events: what the offscreen tests cannot see (the clipboard of a display, the
# focus given by a window manager, clicks on a window).
#
# Usage: run_scenarios.sh VOKC_BINARY [SCENARIO...]
#   Without a scenario name, every function named scenario_* below is played.
#   Each scenario gets its own Xvfb (a free display number), its own openbox, a fresh
#   home folder (settings and recovery files), and a fresh start of the application.
#
# Adding a scenario: write a function scenario_NAME that uses the helpers below
# (start_app, wait_for, key, click_in, ...) and returns non-zero (or calls fail) when
# the application does not behave. tests/CMakeLists.txt registers each function found
# here as its own test. Waits are on observable states (a window, its title, the window
# that has the keyboard, a file the program writes), never on fixed delays.
#
# VOKC_SCENARIO_TIMEOUT (seconds, default 90) bounds every wait: generous, for the
# sanitized build on a busy machine.
set -uo pipefail

VOKC=${1:?usage: run_scenarios.sh VOKC_BINARY [SCENARIO...]}
shift
TIMEOUT=${VOKC_SCENARIO_TIMEOUT:-90}

for tool in Xvfb openbox xdotool xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "scenarios: $tool is missing (scripts/setup.sh installs it)" >&2
        exit 1
    fi
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vokc-scenario.XXXXXX")
XVFB_PID="" WM_PID="" APP_PID=""

stop_pid() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    local i
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

stop_app() {
    stop_pid "$APP_PID"
    APP_PID=""
}

cleanup() {
    stop_app
    stop_pid "$WM_PID"
    stop_pid "$XVFB_PID"
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

log() { echo "[$(date +%H:%M:%S)] $*"; }

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        echo "--- windows on $DISPLAY (the active one: $(xdotool getactivewindow 2>&1)) ---" >&2
        local id
        for id in $(xdotool search --name '' 2>/dev/null); do
            echo "$id $(xdotool getwindowname "$id" 2>/dev/null)" >&2
        done | grep -v ' $' >&2
    fi
    if [ -n "$APP_PID" ]; then
        echo "--- the application (pid $APP_PID): $(ps -o stat=,etime=,time= -p "$APP_PID" 2>&1)" >&2
    fi
    if [ -s "$WORK/app.log" ]; then
        echo "--- output of the application ---" >&2
        tail -n 60 "$WORK/app.log" >&2
    fi
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$PWD/scenario-${CURRENT:-}-failure.png" 2>/dev/null &&
            echo "screenshot: $PWD/scenario-${CURRENT:-}-failure.png" >&2
    fi
    return 1
}

# wait_for DESCRIPTION COMMAND...: polls COMMAND until it succeeds, at most TIMEOUT
# seconds. Fails at once when the application has ended.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + TIMEOUT))
    while ((SECONDS < deadline)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        if [ -n "$APP_PID" ] && ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID" 2>/dev/null
            fail "the application ended (status $?) while waiting for: $what"
            return 1
        fi
        sleep 0.1
    done
    fail "timed out after ${TIMEOUT}s waiting for: $what"
}

start_display() {
    local fdfile="$WORK/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" \
        >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local deadline=$((SECONDS + TIMEOUT))
    while [ ! -s "$fdfile" ] || ! grep -q '^[0-9]' "$fdfile"; do
        if ((SECONDS >= deadline)) || ! kill -0 "$XVFB_PID" 2>/dev/null; then
            cat "$WORK/xvfb.log" >&2
            fail "Xvfb did not start"
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fdfile" | tr -d '[:space:]')"
    mkdir -p "$WORK/wm"
    HOME="$WORK/wm" XDG_CONFIG_HOME="$WORK/wm" openbox >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for "the window manager" wm_ready
}

wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

# start_app FILE...: starts the application on the files, with a home of its own, and
# waits until its main window has the keyboard.
start_app() {
    local home="$WORK/home"
    mkdir -p "$home/.config" "$home/.local/share"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_RUNTIME_DIR="$WORK" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
        "$VOKC" "$@" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    wait_for "the main window" find_window '^Vok C$' || return 1
    MAIN_WINDOW=$(find_window '^Vok C$' | head -n1)
    wait_for "the main window to have the keyboard" active_is "$MAIN_WINDOW"
}

# The visible windows whose title matches a regular expression.
find_window() {
    local ids
    ids=$(xdotool search --onlyvisible --name "$1") || return 1
    [ -n "$ids" ] && echo "$ids"
}

active_is() {
    [ "$(xdotool getactivewindow)" = "$1" ]
}

app_ended() {
    if ! kill -0 "$APP_PID" 2>/dev/null; then
        wait "$APP_PID" 2>/dev/null
        APP_PID=""
        return 0
    fi
    return 1
}

app_alive() {
    kill -0 "$APP_PID" 2>/dev/null || fail "the application has ended"
}

key() {
    xdotool key --clearmodifiers --delay 30 "$@"
}

type_text() {
    xdotool type --clearmodifiers --delay 30 -- "$1"
}

# click_in WINDOW X Y: a left click at (X, Y) inside the window.
click_in() {
    xdotool mousemove --sync --window "$1" "$2" "$3" click 1
}

# activate WINDOW: gives the window the keyboard, as a click on its title would.
activate() {
    xdotool windowactivate "$1"
    wait_for "window $1 to have the keyboard" active_is "$1"
}

# file_has FILE REGEX: a line of the file matches the extended regular expression whole.
file_has() {
    [ -f "$1" ] && tr -d '\r' <"$1" | grep -qxE -- "$2"
}

file_is() {
    [ -f "$1" ] && [ "$(tr -d '\r' <"$1")" = "$2" ]
}

# program NAME: writes the program text read from standard input to WORK/NAME.c and
# prints its path.
program() {
    local path="$WORK/$1.c"
    cat >"$path"
    echo "$path"
}

# The console window ("Vok C - " and the program's name), once a run has shown it.
console_window() {
    local id
    for id in $(find_window '^Vok C - '); do
        if [ "$id" != "$MAIN_WINDOW" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# The console has the keyboard: it takes it when a read begins (a run shows it without).
console_active() {
    local id
    id=$(console_window) && active_is "$id"
}

# ---- The scenarios ----

# Paste with nothing on the clipboard (a display that never had an owner) does nothing;
# the application goes on working: a program run afterwards writes its file.
scenario_paste_empty_clipboard() {
    local out="$WORK/alive.txt"
    local prog
    prog=$(program alive <<EOF
file f
main()
{
  f=fopen("$out","w+t");
  fputs("vivant", f);
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    key ctrl+v
    key ctrl+v
    app_alive || return 1
    key F9
    wait_for "the program's file after the paste" file_is "$out" "vivant" || return 1
    app_alive
}

# Text copied by an application that has quit since: the clipboard has no owner any more,
# and a paste in a new session does nothing.
scenario_paste_after_owner_quit() {
    local out="$WORK/alive.txt"
    local prog
    prog=$(program alive <<EOF
file f
main()
{
  f=fopen("$out","w+t");
  fputs("vivant", f);
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    key ctrl+Home ctrl+shift+End ctrl+c alt+x
    wait_for "the first session to quit" app_ended || return 1
    start_app "$prog" || return 1
    key ctrl+End ctrl+v
    app_alive || return 1
    key F9
    wait_for "the program's file after the paste" file_is "$out" "vivant" || return 1
    app_alive
}

# Ctrl+C in the console copies the selected line; Ctrl+V puts it in the program's text,
# which is saved with it.
scenario_copy_console_paste_editor() {
    local done="$WORK/done.txt"
    local prog
    prog=$(program copie <<EOF
file f
main()
{
  puts("COPIE123")
  f=fopen("$done","w+t");
  fputs("fini", f);
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    key F9
    # The run ends with the line after the file's: the application takes no event in
    # between, so the click below comes after the run.
    wait_for "the end of the run" file_is "$done" "fini" || return 1
    wait_for "the console" console_window || return 1
    local console
    console=$(console_window)
    # A click on the first row selects it and gives the console the keyboard.
    click_in "$console" 40 8 || return 1
    wait_for "the console to have the keyboard" active_is "$console" || return 1
    key ctrl+c
    activate "$MAIN_WINDOW" || return 1
    # At the end of the text, on a new line (indented by the editor).
    key ctrl+End Return ctrl+v ctrl+s
    wait_for "the copied line in the saved program" file_has "$prog" ' *COPIE123' || return 1
    app_alive
}

# A click on the console's text during a read does not take the keys from the input
# line: the answer typed next reaches the program.
scenario_click_console_during_read() {
    local out="$WORK/answer.txt"
    local prog
    prog=$(program lecture <<EOF
file f
char s[40]
main()
{
  puts("Une ligne")
  puts("Une autre ligne")
  printf("Votre reponse ? ")
  gets(s)
  f=fopen("$out","w+t");
  fputs(s, f);
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    key F9
    wait_for "the read (the console has the keyboard)" console_active || return 1
    local console
    console=$(console_window)
    click_in "$console" 40 8 || return 1
    type_text "4217"
    key Return
    wait_for "the answer written by the program" file_is "$out" "4217" || return 1
    app_alive
}

# A prompt of 100 characters, wider than the console: the answer still reaches the
# program.
scenario_long_prompt() {
    local out="$WORK/long.txt"
    local prompt
    prompt=$(printf 'Q%.0s' {1..99})
    local prog
    prog=$(program longue <<EOF
file f
char s[40]
main()
{
  printf("${prompt}?")
  gets(s)
  f=fopen("$out","w+t");
  fputs(s, f);
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    key F9
    wait_for "the read (the console has the keyboard)" console_active || return 1
    type_text "reponse longue"
    key Return
    wait_for "the answer written by the program" file_is "$out" "reponse longue" || return 1
    app_alive
}

# A breakpoint set during a pause only marks its line: F7 goes on from the line where the
# run stopped, so the lines in between still run, and the run stops again at the new mark.
scenario_f5_during_pause() {
    local trace="$WORK/trace.txt" first="$WORK/pause1.txt" second="$WORK/pause2.txt"
    local prog
    prog=$(program pause <<EOF
file f
file g
main()
{
  f=fopen("$trace","w+t");
  fputs("l6", f);
  g=fopen("$first","w+t");
  fputs("pause", g);
  fclose(g);
  fputs("l10", f);
  fputs("l11", f);
  fputs("l12", f);
  g=fopen("$second","w+t");
  fputs("pause", g);
  fclose(g);
  fputs("l16", f);
  fputs("l17", f);
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    # The caret at the very start of line 10 (Down keeps the first column): F5 marks it.
    key ctrl+Home $(printf 'Down %.0s' {1..9}) F5 F9
    # Line 9 closes the file and the run stops before line 10.
    wait_for "the first pause (its file)" file_is "$first" "pause" || return 1
    key ctrl+Home $(printf 'Down %.0s' {1..15}) F5 F7
    wait_for "the second pause, at the mark set during the first" \
        file_is "$second" "pause" || return 1
    key F7
    local expected
    expected=$(printf 'l6\nl10\nl11\nl12\nl16\nl17')
    wait_for "the trace of the lines that ran" file_is "$trace" "$expected" || {
        echo "trace: $(tr '\n' ' ' <"$trace" 2>/dev/null)" >&2
        return 1
    }
    app_alive
}

# Lines typed during a pause inside a procedure called from a loop: one inside the
# procedure runs at this call and the next, one typed at the start of the loop's head
# (already passed) never runs, and the loop goes on from its own head.
scenario_edit_during_pause() {
    local trace="$WORK/trace.txt" paused="$WORK/paused.txt"
    local prog
    prog=$(program corrige <<EOF
file f
file g
int i
void trace()
{
  fputs("appel", f);
}
main()
{
  f=fopen("$trace","w+t");
  g=fopen("$paused","w+t");
  fputs("pause", g);
  fclose(g);
  for (i = 1; i <= 2; i++)
  {
    trace()
  }
  fclose(f);
}
EOF
    )
    start_app "$prog" || return 1
    # A breakpoint at the start of line 6, inside the procedure.
    key ctrl+Home $(printf 'Down %.0s' {1..5}) F5 F9
    wait_for "the pause in the procedure (its file)" file_is "$paused" "pause" || return 1
    key ctrl+Home $(printf 'Down %.0s' {1..5}) End Return
    type_text 'fputs("ajout", f);'
    # The loop's head is now line 15: a statement typed at its start, then Enter.
    key ctrl+Home $(printf 'Down %.0s' {1..14}) Home
    type_text 'fputs("avant", f);'
    key Return
    # The breakpoint goes (F5 during a pause only toggles it), and the run goes on.
    key ctrl+Home $(printf 'Down %.0s' {1..5}) F5 F7
    local expected
    expected=$(printf 'appel\najout\nappel\najout')
    wait_for "the trace of the calls" file_is "$trace" "$expected" || {
        echo "trace: $(tr '\n' ' ' <"$trace" 2>/dev/null)" >&2
        return 1
    }
    app_alive
}

# One file asked for twice, on the command line and then with Fichier > Ouvrir, has one
# editor window, which keeps the changes not yet saved: the program that runs after each
# is the changed one, not a second copy read from the disk.
scenario_same_file_twice() {
    local out="$WORK/out.txt"
    local prog
    prog=$(program double <<EOF
file f
main()
{
  f=fopen("$out","w+t");
  fputs("disque", f);
  fclose(f);
}
EOF
    )
    start_app "$prog" "$prog" || return 1
    # "disque" becomes "disque2" in the window, not on the disk.
    key ctrl+Home Down Down Down Down End Left Left Left Left Left Left
    type_text "2"
    # The first window of the Fenetre menu: a second window on the file would be that one,
    # still showing the text read from the disk.
    key alt+n 1 F9
    wait_for "the program's file" test -s "$out" || return 1
    file_is "$out" "disque2" || {
        fail "the first window of the Fenetre menu ran the program that writes: $(cat "$out")"
        return 1
    }
    rm -f "$out"
    wait_for "the editor to have the keyboard again" active_is "$MAIN_WINDOW" || return 1
    # From a new window, Ouvrir on the file brings its window forward.
    key ctrl+n ctrl+o
    wait_for "the open dialog" find_window '^Ouvrir$' || return 1
    local dialog
    dialog=$(find_window '^Ouvrir$' | head -n1)
    wait_for "the open dialog to have the keyboard" active_is "$dialog" || return 1
    type_text "$prog"
    key Return
    wait_for "the open dialog to close" active_is "$MAIN_WINDOW" || return 1
    key F9
    wait_for "the program's file" test -s "$out" || return 1
    file_is "$out" "disque2" || fail "the window run after Ouvrir wrote: $(cat "$out")"
}

# A question of the application ("Confirmation") that has the keyboard and is not the
# window PREVIOUS (the question answered just before): prints its id.
new_question() {
    local id
    id=$(xdotool getactivewindow) || return 1
    [ "$id" != "${1:-}" ] && [ "$(xdotool getwindowname "$id")" = "Confirmation" ] && echo "$id"
}

# ask_quit ANSWERS: Alt+X, then the letter of each answer in turn, each to a new question
# ("n" Non, Escape Annuler). Waits for each question before answering it.
ask_quit() {
    local previous="" answer
    key alt+x
    for answer in "$@"; do
        wait_for "a question after $previous" new_question "$previous" || return 1
        previous=$(new_question "$previous")
        key "$answer"
    done
}

# The window whose program ran last: each writes its number to a file of its own.
ran_window() {
    local k
    for k in 1 2 3; do
        if file_is "$WORK/q$k.txt" "$k"; then
            echo "$k"
            return 0
        fi
    done
    return 1
}

# Three new windows, each changed, and Alt+X: three questions one after another, each
# about its own window, which comes forward (Annuler leaves it in front: its program is
# the one F9 runs). Non to all three lets the application quit.
scenario_quit_three_new_windows() {
    local k
    for k in 1 2 3; do rm -f "$WORK/q$k.txt"; done
    start_app || return 1
    for k in 1 2 3; do
        key ctrl+n ctrl+a
        local line
        for line in "file f" "main()" "{" "f=fopen(\"$WORK/q$k.txt\",\"w+t\");" \
            "fputs(\"$k\", f);" "fclose(f);" "}"; do
            type_text "$line"
            key Return
        done
    done
    local asked=() answers=(Escape) round
    for round in 1 2 3; do
        ask_quit "${answers[@]}" || return 1
        wait_for "the editor after Annuler" active_is "$MAIN_WINDOW" || return 1
        key F9
        wait_for "the run of the window asked about" ran_window || return 1
        asked+=("$(ran_window)")
        for k in 1 2 3; do rm -f "$WORK/q$k.txt"; done
        wait_for "the editor after the run" active_is "$MAIN_WINDOW" || return 1
        answers=(n "${answers[@]}")
    done
    echo "windows asked about, in turn: ${asked[*]}"
    if [ "$(printf '%s\n' "${asked[@]}" | sort -u | wc -l)" != 3 ]; then
        fail "the questions were not each about another window: ${asked[*]}"
        return 1
    fi
    ask_quit n n n || return 1
    wait_for "the application to quit" app_ended
}

# ---- Playing them ----

list_scenarios() {
    declare -F | sed -n 's/^declare -f scenario_//p'
}

if [ $# -eq 0 ]; then
    mapfile -t names < <(list_scenarios)
else
    names=("$@")
fi

failed=0
for name in "${names[@]}"; do
    if ! declare -F "scenario_$name" >/dev/null; then
        echo "scenarios: no scenario named $name" >&2
        failed=1
        continue
    fi
    log "scenario $name"
    CURRENT=$name
    rm -rf "${WORK:?}"/*
    if start_display && "scenario_$name"; then
        log "passed: $name"
    else
        log "FAILED: $name"
        failed=1
    fi
    stop_app
    stop_pid "$WM_PID"
    WM_PID=""
    stop_pid "$XVFB_PID"
    XVFB_PID=""
done
exit $failed
