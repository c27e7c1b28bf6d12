#!/bin/sh
# The printer setup from the menu, as a user opens it: Soubor > Nastavení
# tiskárny opens the page setup (its print module loaded from beside the
# program file) and Escape closes it; opened again, it opens again. Then a copy
# of the program without its print module: the same command says so in a
# message and the program goes on, ending with Alt+X and exit code 0.
# usage: printer_setup.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

# Opens Soubor > Nastavení tiskárny with the keys and prints the title of the
# window that opens above the main window.
open_printer_setup() {
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool key --clearmodifiers alt+s
    sleep 0.3
    xdotool key a
    for i in $(seq 100); do
        active=$(xdotool getactivewindow 2>/dev/null)
        if [ -n "$active" ] && [ "$active" != "$window" ]; then
            xdotool getwindowname "$active"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

start_display
start_program
for round in 1 2; do
    title=$(open_printer_setup) || fail "the printer setup did not open (round $round)"
    [ "$title" = "Nastavení strany" ] || fail "'$title' opened, not the page setup (round $round)"
    echo "round $round: the page setup '$title' opened"
    xdotool key Escape
    sleep 0.3
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] ||
        fail "Escape did not close the page setup (round $round)"
done
grep -q 'mecovnik.print' "$WORK/stderr" && fail "the module's loading was logged as failed"
quit_program
echo "the page setup opened twice from the menu and closed with Escape"

# A program file without the module beside it.
mkdir "$WORK/bare"
cp "$1" "$WORK/bare/mecovnik"
PROGRAM="$WORK/bare/mecovnik"
start_program
title=$(open_printer_setup) || fail "nothing opened without the module"
[ "$title" = "Mečovník" ] || fail "without the module '$title' opened, not the program's message"
grep -q 'mecovnik.print' "$WORK/stderr" || fail "the missing module was not logged"
xdotool key Return
sleep 0.3
[ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] || fail "the message did not close"
quit_program
echo "without its print module the program said so, logged why and ended normally"
