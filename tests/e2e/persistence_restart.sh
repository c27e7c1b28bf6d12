#!/bin/sh
# The real program over a prepared registry.reg under a virtual X display:
# 1. automatic saving off: the window opens at the stored placement, and
#    quitting with Alt+X leaves the file byte for byte as it was;
# 2. automatic saving on: the window is moved and resized, quitting writes the
#    file with the placement and the monster kinds, and the next start comes
#    back where it was left.
# usage: persistence_restart.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$STORE")"

# A placement of 100,80 700x500, automatic saving as given, three monster kinds.
prepare() {
    cat > "$STORE" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nastavení]
"Automaticky ukládat nastavení"=dword:0000000$1

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Okna]
"Hlavní.X"=dword:00000064
"Hlavní.Y"=dword:00000050
"Hlavní.W"=dword:000002bc
"Hlavní.H"=dword:000001f4
"Hlavní.Stav"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nestvůry\\Skřet]
"Životaschopnost"=dword:00000007
"Vyřazení"=dword:00000002
"Zkušenost"=dword:0000015e

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nestvůry\\Drak]
"Životaschopnost"=dword:0000000c
"Vyřazení"=dword:00000004
"Zkušenost"=dword:00001388

[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nestvůry\\Obří pavouk]
"Životaschopnost"=dword:00000003
"Vyřazení"=dword:00000000
"Zkušenost"=dword:00000078
REG
}

saving_off() {
    cp "$STORE" "$WORK/prepared"
    before=$(stat -c %i.%Y "$STORE")
    start_program
    got=$(outer_bounds)
    [ "$got" = "100,80 700x500" ] || fail "opened at $got instead of 100,80 700x500"
    echo "opened at the stored placement $got"
    quit_program
    cmp "$STORE" "$WORK/prepared" || fail "quitting without automatic saving changed the file"
    [ "$(stat -c %i.%Y "$STORE")" = "$before" ] || fail "the file was rewritten"
    echo "quitting left the file as it was"
}

saving_on() {
    before=$(stat -c %i "$STORE")
    start_program
    # xdotool places and sizes the window itself; the frame comes around it.
    xdotool windowmove --sync "$window" 150 120
    xdotool windowsize --sync "$window" 640 480
    sleep 0.5
    left_at=$(outer_bounds)
    [ "$left_at" != "100,80 700x500" ] || fail "the window did not move: $left_at"
    quit_program
    [ "$(stat -c %i "$STORE")" != "$before" ] || fail "quitting with automatic saving did not write the file"
    set -- $(echo "$left_at" | tr ',x' '  ')
    for value in "\"Hlavní.X\"=dword:$(printf %08x "$1")" "\"Hlavní.Y\"=dword:$(printf %08x "$2")" \
                 "\"Hlavní.W\"=dword:$(printf %08x "$3")" "\"Hlavní.H\"=dword:$(printf %08x "$4")" \
                 '\Nestvůry\Skřet]' '\Nestvůry\Drak]' '\Nestvůry\Obří pavouk]'; do
        grep -qF "$value" "$STORE" || fail "the saved file lacks $value"
    done
    cp "$STORE" "$WORK/saved"
    echo "quitting saved the window left at $left_at and the monster kinds"
    start_program
    got=$(outer_bounds)
    [ "$got" = "$left_at" ] || fail "came back at $got instead of $left_at"
    quit_program
    cmp "$STORE" "$WORK/saved" || fail "an unchanged configuration was saved differently"
    echo "the next start came back at $got"
}

start_display
prepare 0
saving_off
prepare 1
saving_on
