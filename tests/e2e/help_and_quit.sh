#!/bin/sh
# Opens the help contents from the menu as a user would, then quits with
# Alt+X: the program, help window and all, must end with exit code 0 within
# 5 seconds.
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
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+x
wait_for_exit 5 || fail "exit code $?"
echo "Alt+X ended the program with the help window open, exit code 0"
