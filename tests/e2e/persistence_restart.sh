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
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home" "$WORK/config/mecovnik" "$WORK/runtime"
chmod 700 "$WORK/runtime"
STORE="$WORK/config/mecovnik/registry.reg"
export PROGRAM WORK STORE

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

cat > "$WORK/functions.sh" <<'FUNCTIONS'
set -u
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
unset QT_QPA_PLATFORM
pid=""

fail() {
    echo "$*"
    cat "$WORK/stderr"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    exit 1
}

# Starts the program and waits for its main window; sets pid and window.
start() {
    "$PROGRAM" 2> "$WORK/stderr" &
    pid=$!
    window=""
    for i in $(seq 200); do
        window=$(xdotool search --name '^Mečovník pro Hradomor$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || fail "the main window did not appear"
    sleep 0.5
}

# The window's outer bounds "x,y wxh": its own geometry grown by the frame a
# window manager put around it, if any (none under a bare Xvfb).
bounds() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    left=0 right=0 top=0 bottom=0
    if [ -n "$extents" ]; then
        left=$(echo "$extents" | cut -d, -f1)
        right=$(echo "$extents" | cut -d, -f2)
        top=$(echo "$extents" | cut -d, -f3)
        bottom=$(echo "$extents" | cut -d, -f4)
    fi
    echo "$((X - left)),$((Y - top)) $((WIDTH + left + right))x$((HEIGHT + top + bottom))"
}

# Ends the program with Alt+X and expects exit code 0.
quit() {
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key alt+x
    for i in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "Alt+X did not end the program"
    wait "$pid" || fail "exit code $?"
    pid=""
}
FUNCTIONS

cat > "$WORK/saving_off.sh" <<'SCRIPT'
. "$WORK/functions.sh"
cp "$STORE" "$WORK/prepared"
before=$(stat -c %i.%Y "$STORE")
start
got=$(bounds)
[ "$got" = "100,80 700x500" ] || fail "opened at $got instead of 100,80 700x500"
echo "opened at the stored placement $got"
quit
cmp "$STORE" "$WORK/prepared" || fail "quitting without automatic saving changed the file"
[ "$(stat -c %i.%Y "$STORE")" = "$before" ] || fail "the file was rewritten"
echo "quitting left the file as it was"
SCRIPT

cat > "$WORK/saving_on.sh" <<'SCRIPT'
. "$WORK/functions.sh"
before=$(stat -c %i "$STORE")
start
xdotool windowmove --sync "$window" 150 120
xdotool windowsize --sync "$window" 640 480
sleep 0.5
left_at=$(bounds)
[ "$left_at" = "150,120 640x480" ] || fail "the window did not move: $left_at"
quit
[ "$(stat -c %i "$STORE")" != "$before" ] || fail "quitting with automatic saving did not write the file"
for value in '"Hlavní.X"=dword:00000096' '"Hlavní.Y"=dword:00000078' \
             '"Hlavní.W"=dword:00000280' '"Hlavní.H"=dword:000001e0' \
             '\Nestvůry\Skřet]' '\Nestvůry\Drak]' '\Nestvůry\Obří pavouk]'; do
    grep -qF "$value" "$STORE" || fail "the saved file lacks $value"
done
cp "$STORE" "$WORK/saved"
echo "quitting saved the window left at $left_at and the monster kinds"
start
got=$(bounds)
[ "$got" = "$left_at" ] || fail "came back at $got instead of $left_at"
quit
cmp "$STORE" "$WORK/saved" || fail "an unchanged configuration was saved differently"
echo "the next start came back at $got"
SCRIPT

# -noreset: the second start must not meet the server resetting after the first.
prepare 0
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh "$WORK/saving_off.sh" || exit 1
prepare 1
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh "$WORK/saving_on.sh" || exit 1
