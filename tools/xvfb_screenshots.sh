#!/bin/sh
# Takes pictures of the real program under a virtual display with openbox, as
# a user drives it with the keys and the mouse: a disabled menu item
# highlighted with its hint, the Czech question box, the printer-setup dialog
# and the cascaded rosters. Positions assume the 1024x768 screen set here.
# usage: xvfb_screenshots.sh <program> <output folder>
set -u
PROGRAM=$1
out=$2
E2E_SCREEN=1024x768x24
. "$(dirname "$0")/../tests/e2e/lib.sh"
mkdir -p "$out"
shot() {
    import -window root -crop 772x602+126+82 +repage "$out/$1.png"
}

start_display
start_program
xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers ctrl+p; sleep 0.8
xdotool type --delay 50 "Bard"; xdotool key Return; sleep 0.5
xdotool key --clearmodifiers ctrl+p; sleep 0.8
xdotool type --delay 50 "Aragorn"; xdotool key Tab; xdotool type "30"; xdotool key Return
sleep 0.5
xdotool key --clearmodifiers alt+p; sleep 0.4; xdotool key Down; sleep 0.6
shot xvfb-menu-disabled
xdotool key Escape; sleep 0.2; xdotool key Escape; sleep 0.3
xdotool mousemove 160 186 click 1; sleep 0.5
xdotool key --clearmodifiers alt+p; sleep 0.4; xdotool key s; sleep 1
shot xvfb-question
xdotool key Escape; sleep 0.3
xdotool key --clearmodifiers alt+n; sleep 0.5
xdotool key --clearmodifiers alt+s; sleep 0.4; xdotool key a; sleep 1.5
shot xvfb-printer
xdotool key Escape; sleep 0.5
xdotool key --clearmodifiers alt+o; sleep 0.4; xdotool key n; sleep 0.8
shot xvfb-cascade
quit_program
