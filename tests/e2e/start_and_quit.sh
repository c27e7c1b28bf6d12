#!/bin/sh
# Starts the real program under a virtual X display with a window manager as a
# user would, waits for its main window, ends it with Alt+X and expects exit
# code 0.
# usage: start_and_quit.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

start_display
began=$(date +%s%N)
start_program
echo "main window after $(( ($(date +%s%N) - began) / 1000000 - 500 )) ms"
quit_program
echo "Alt+X ended the program with exit code 0"
