#!/bin/sh
# Screenshots of the fight files, taken from the real program under Xvfb with
# openbox, into docs/screenshots: the "Soubor" menu with "Nedávné souboje"
# open, the save dialog, and the caption naming a changed file. Needs a built
# program: scripts/screenshots_files.sh [build]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
PROGRAM=${1:-$root/build}/mecovnik
E2E_SCREEN=1024x768x24
. "$root/tests/e2e/lib.sh"
out="$root/docs/screenshots"

start_display
mkdir -p "$HOME/Documents"
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
open_dialog ctrl+n '^Nová nestvůra$'
xdotool type --delay 10 "Skřet"
xdotool key Return
sleep 0.2
quit_program # kept at the end: the first item of the recent list

start_program
xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key b
sleep 0.3
xdotool key 1
sleep 0.5
# Saved as a file of its own, then changed: the caption marks it.
open_dialog ctrl+s '^Uložit souboj jako$'
xdotool type --delay 10 "Družina"
sleep 0.3
shoot_window "$out/dialog-ulozit-souboj.png" "$(wait_for_window '^Uložit souboj jako$')"
xdotool key Return
sleep 0.5
open_dialog ctrl+p '^Nová postava$'
xdotool type --delay 10 "Gimli"
xdotool key Return
sleep 0.5
shoot_window "$out/titulek-souboj.png"
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key b
sleep 0.5
shoot_window "$out/menu-soubor.png"
xdotool key Escape Escape
sleep 0.2
quit_program
echo "written: $out/menu-soubor.png $out/dialog-ulozit-souboj.png $out/titulek-souboj.png"
