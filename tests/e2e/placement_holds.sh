#!/bin/sh
# The main window's placement under a window manager that frames it: over a
# stored placement and with automatic saving on, three starts in a row each
# show the window at the stored outer bounds from its first appearance, and
# each quit stores the same outer bounds again.
# usage: placement_holds.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$STORE")"

cat > "$STORE" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nastavení]
"Automaticky ukládat nastavení"=dword:00000001

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Okna]
"Hlavní.X"=dword:00000064
"Hlavní.Y"=dword:00000050
"Hlavní.W"=dword:000002bc
"Hlavní.H"=dword:000001f4
"Hlavní.Stav"=dword:00000000
REG

stored_bounds() {
    for v in X Y W H; do
        hex=$(sed -n "s/^\"Hlavní\\.$v\"=dword:\\([0-9a-f]*\\).*/\\1/p" "$STORE")
        [ -n "$hex" ] || fail "the store lacks Hlavní.$v"
        printf '%d ' "0x$hex"
    done
}

start_display
expected="100,80 700x500"
[ "$(stored_bounds)" = "100 80 700 500 " ] || fail "prepared store reads $(stored_bounds)"
for run in 1 2 3; do
    "$PROGRAM" 2>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window '^Mečovník pro Hradomor$') || fail "the main window did not appear"
    # Taken as soon as the window shows: a correction after the first show
    # would be a visible jump.
    first=$(outer_bounds)
    sleep 0.5
    settled=$(outer_bounds)
    [ "$first" = "$expected" ] || fail "start $run: first shown at $first instead of $expected"
    [ "$settled" = "$expected" ] || fail "start $run: settled at $settled instead of $expected"
    quit_program
    [ "$(stored_bounds)" = "100 80 700 500 " ] || fail "start $run stored $(stored_bounds)"
    echo "start $run: shown and stored at $expected"
done
