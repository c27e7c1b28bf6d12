#!/bin/sh
# Screenshots of the undo and redo items in the "Boj" menu and of the question
# after an abnormal end, taken from the real program under Xvfb with openbox,
# into docs/screenshots. Needs a built program: scripts/screenshots_fight.sh [build]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM=${1:-$root/build}/mecovnik
E2E_SCREEN=1024x768x24
. "$root/tests/e2e/lib.sh"
out="$root/docs/screenshots"

start_display
start_program
xdotool windowactivate --sync "$window"
xdotool windowsize --sync "$window" 760 440
sleep 0.3
for name in Aragorn Bilbo; do
    open_dialog ctrl+p '^Nová postava$'
    xdotool type --delay 10 "$name"
    xdotool key Return
    sleep 0.2
done
for i in 1 2; do
    open_dialog ctrl+n '^Nová nestvůra$'
    xdotool type --delay 10 "Skřet"
    xdotool key Return
    sleep 0.2
done
# Click Aragorn and the first Skřet, then wound twice.
xdotool mousemove --window "$window" 40 108 click 1
sleep 0.2
xdotool mousemove --window "$window" 420 108 click 1
sleep 0.2
for i in 1 2; do
    open_dialog ctrl+b '^Zranit nestvůru$'
    xdotool key Return
    sleep 0.2
done
xdotool key --clearmodifiers alt+BackSpace
sleep 0.3
xdotool key --clearmodifiers alt+b
sleep 0.5
xdotool key Up Up
sleep 0.3
shoot_window "$out/menu-boj.png"
xdotool key Escape Escape
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=""

start_program
q=$(wait_for_window '^Mečovník$') || fail "no question"
sleep 0.5
shoot_window "$out/otazka-obnovit.png"
xdotool key Return
sleep 0.3
quit_program
echo "written: $out/menu-boj.png $out/otazka-obnovit.png"
