#!/bin/sh
# One copy at a time: with the program running, a second start ends with exit
# code 0 within a second, shows no window, and the running copy's window
# becomes the active one, also when it was minimised; when the user last
# worked in the toolbar's customisation window, that window. After the running
# copy is closed, and after it is killed, the next start runs; five copies
# started at once leave one.
# usage: single_instance.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

TITLE='^Mečovník pro Hradomor$'
# A second start ends within a second; a sanitizer build is allowed more.
LIMIT_MS=${E2E_SECOND_START_LIMIT_MS:-1000}

# Number of main windows of the program on the display, mapped or not.
main_windows() {
    xdotool search --name "$TITLE" 2>/dev/null | wc -l
}

# Starts a second copy, expects exit code 0 within a second and no new window.
second_start() {
    began=$(date +%s%N)
    timeout 5 "$PROGRAM" 2>>"$WORK/stderr-second"
    code=$?
    took=$(( ($(date +%s%N) - began) / 1000000 ))
    [ "$code" -eq 0 ] || fail "the second start ended with exit code $code"
    [ "$took" -lt "$LIMIT_MS" ] || fail "the second start took $took ms"
    [ "$(main_windows)" -eq 1 ] || fail "the second start left $(main_windows) main windows"
    kill -0 "$pid" 2>/dev/null || fail "the running copy ended"
    echo "$1: the second start ended with exit code 0 after $took ms, no window of its own"
}

# Waits until the running copy's window (or the window given second) is the
# active one and the main window is not minimised.
expect_active() {
    wanted=${2:-$window}
    for i in $(seq 40); do
        active=$(xdotool getactivewindow 2>/dev/null)
        if [ "$active" = "$wanted" ] &&
            ! xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; then
            echo "$1: the running copy's window $wanted is active"
            return 0
        fi
        sleep 0.05
    done
    fail "$1: the active window is $active, not the program's $wanted"
}

start_display
start_program

# Another window on top and active.
xmessage -name other -center "Jiné okno" &
other_pid=$!
other=$(wait_for_window '^other$') || fail "the other window did not appear"
xdotool windowactivate --sync "$other" 2>/dev/null
[ "$(xdotool getactivewindow)" = "$other" ] || fail "could not activate another window"
second_start "behind another window"
expect_active "behind another window"

xdotool windowminimize --sync "$window"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN || fail "not minimised"
xdotool windowactivate --sync "$other" 2>/dev/null
second_start "minimised"
expect_active "minimised"

second_start "third start"
expect_active "third start"

# The request is posted, never waited for: a frozen running copy does not
# hold up a later start, and comes to the front once it runs again.
xdotool windowactivate --sync "$other" 2>/dev/null
kill -STOP "$pid"
second_start "running copy frozen"
kill -CONT "$pid"
expect_active "running copy frozen"

# The customisation window was the one last worked in: it comes back, also
# from a minimised program; once the main window was worked in, that one.
find_toolbar
open_customisation
xdotool mousemove --sync $((DX + 100)) $((DY + 240)) click 1
expect_active "customisation window clicked" "$dialog"
xdotool windowactivate --sync "$other" 2>/dev/null
second_start "customisation window last active"
expect_active "customisation window last active" "$dialog"
xdotool windowminimize --sync "$window"
xdotool windowactivate --sync "$other" 2>/dev/null
second_start "customisation window last active, minimised"
expect_active "customisation window last active, minimised" "$dialog"
# The window manager is still mapping the restored windows; a click in that
# moment finds nothing to focus.
sleep 0.5
xdotool mousemove --sync $((TX + 300)) $((TY + 16)) click 1
expect_active "main window clicked"
xdotool windowactivate --sync "$other" 2>/dev/null
second_start "main window last active"
expect_active "main window last active"
xdotool mousemove --sync $((DX + 344 + 37)) $((DY + 231 + 11)) click 1
sleep 0.3
xdotool search --onlyvisible --name '^Nastavení panelu nástrojů$' >/dev/null &&
    fail "Zavřít did not close the customisation window"
kill "$other_pid" 2>/dev/null

quit_program
start_program
echo "after closing, the next start ran"

kill -KILL "$pid"
wait "$pid" 2>/dev/null
pid=""
start_program
echo "after SIGKILL, the next start ran"
quit_program

# Five at once.
pids=""
for i in 1 2 3 4 5; do
    "$PROGRAM" 2>>"$WORK/stderr" &
    pids="$pids $!"
done
window=$(wait_for_window "$TITLE") || fail "no copy showed its window"
sleep 2
running=""
ended=0
for p in $pids; do
    if kill -0 "$p" 2>/dev/null; then
        running="$running $p"
    else
        wait "$p" || fail "a later copy ended with exit code $?"
        ended=$((ended + 1))
    fi
done
set -- $running
[ "$#" -eq 1 ] || fail "$# copies run after five were started at once"
[ "$ended" -eq 4 ] || fail "$ended copies ended"
[ "$(main_windows)" -eq 1 ] || fail "$(main_windows) main windows after five starts"
pid=$1
echo "five started at once: one runs, four ended with exit code 0"
quit_program
