#!/bin/sh
# Opens the help contents from the menu as a user would; F1 in an open dialog
# brings the help window to the front; then Alt+X: the program, help window
# and all, must end with exit code 0 within 5 seconds.
# usage: help_and_quit.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

start_display
start_program
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+a
sleep 0.3
xdotool key --clearmodifiers o
help=$(wait_for_window '^Nápověda – Mečovník$') || fail "the help window did not open"
echo "help window $help open"

# F1 in an open dialog brings the help window to the front, beside the dialog.
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers ctrl+p
dialog=$(wait_for_window '^Nová postava$') || fail "the character dialog did not open"
xdotool type --delay 30 "Bard"
xdotool key Return
sleep 0.5
xdotool key --clearmodifiers alt+p
sleep 0.3
xdotool key i
sleep 0.3
xdotool key v
dialog=$(wait_for_window '^Přidat životy$') || fail "the number dialog did not open"
xdotool windowactivate --sync "$dialog" 2>/dev/null
xdotool key F1
for i in $(seq 50); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$help" ] && break
    sleep 0.1
done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$help" ] || fail "help did not come to the front"
xdotool search --onlyvisible --name '^Přidat životy$' >/dev/null || fail "the dialog closed"
echo "F1 in the open dialog brought help to the front"
xdotool windowactivate --sync "$dialog" 2>/dev/null
xdotool key Escape
sleep 0.3

xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+x
wait_for_exit 5 || fail "exit code $?"
echo "Alt+X ended the program with the help window open, exit code 0"
