#!/bin/sh
# The program's windows among themselves under a real window manager:
# 1. the customisation window stands above the main window only: transient
#    for it, never above everything;
# 2. the revert question and the about box, opened while the customisation
#    window is open, come up above it and active, and answer a real click;
# 3. dialogs ("Nová postava", the settings, the about box, a question) are
#    dialogs transient for the window they were opened from, their hints
#    offer neither minimise nor maximise and the window manager allows no
#    maximising; a minimise request never leaves "Nová postava" out of sight
#    while the main window shows (both go, and come back together, the dialog
#    active again), and it still takes the keyboard afterwards.
# With E2E_SHOTS naming a folder, a screenshot of the revert question over the
# customisation window is left there as otazka-nad-upravami.png.
# usage: window_stacking.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

hex() {
    printf '0x%x' "$1"
}

# The window a window is transient for, as a hex id; empty for none.
transient_for() {
    xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p'
}

# The position of a window in the window manager's stacking, bottom first.
stacking_index() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' |
        awk -v w="$(hex "$1")" '{ gsub(/ /, "") } $0 == w { print NR; exit }'
}

# Expects window $2 (named $1) to be the active window, stacked above window
# $3 and transient for window $4.
expect_on_top() {
    for i in $(seq 40); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$2" ] && break
        sleep 0.05
    done
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$2" ] || fail "$1 is not the active window"
    top=$(stacking_index "$2")
    under=$(stacking_index "$3")
    [ -n "$top" ] && [ -n "$under" ] && [ "$top" -gt "$under" ] ||
        fail "$1 is not above the window it opened over ($top, $under)"
    [ "$(transient_for "$2")" = "$(hex "$4")" ] ||
        fail "$1 is transient for $(transient_for "$2"), not for $(hex "$4")"
    echo "$1: active, above the window it opened over, transient for its owner"
}

# Expects the dialog $2 (named $1) to be a dialog whose hints offer neither
# minimise nor maximise, and that the window manager does not let maximise.
expect_dialog_hints() {
    name=$1
    win=$2
    xprop -id "$win" _NET_WM_WINDOW_TYPE | grep -q '= _NET_WM_WINDOW_TYPE_DIALOG' ||
        fail "$name is not a dialog: $(xprop -id "$win" _NET_WM_WINDOW_TYPE)"
    xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "$name is not modal"
    # Motif hints: flags (2: functions given), functions (8 minimise, 16
    # maximise), decorations (32 minimise, 64 maximise).
    set -- $(xprop -id "$win" _MOTIF_WM_HINTS | sed 's/.*= //; s/,/ /g')
    [ $(($1 & 2)) -ne 0 ] && [ $(($2 & 24)) -eq 0 ] && [ $(($3 & 96)) -eq 0 ] ||
        fail "$name asks for minimise or maximise: $*"
    allowed=$(xprop -id "$win" _NET_WM_ALLOWED_ACTIONS)
    echo "$allowed" | grep -q _NET_WM_ACTION_MAXIMIZE && fail "$name can be maximised: $allowed"
    echo "$name: a modal dialog, no minimise or maximise asked for, no maximising allowed"
}

# Makes the main window the active one with a click on its status bar.
click_main() {
    eval "$(xwininfo -id "$main" | awk '/Absolute upper-left X/ { print "MX=" $NF }
        /Absolute upper-left Y/ { print "MY=" $NF } /Height:/ { print "MH=" $NF }')"
    xdotool mousemove --sync $((MX + 300)) $((MY + MH - 8)) click 1
    for i in $(seq 40); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ] && return 0
        sleep 0.05
    done
    fail "a click on the status bar did not activate the main window"
}

# 0 when the window is mapped (not minimised, not withdrawn).
is_normal() {
    xprop -id "$1" WM_STATE 2>/dev/null | grep -q 'window state: Normal'
}

start_display
start_program
main=$window

# 1. The customisation window, opened with a double click on the toolbar.
find_toolbar
open_customisation
[ "$(transient_for "$dialog")" = "$(hex "$main")" ] ||
    fail "the customisation window is not transient for the main window"
xprop -id "$dialog" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE &&
    fail "the customisation window stands above all windows"
echo "the customisation window is transient for the main window, not above all windows"
adjust=$dialog

# 2. "Uvést do původního stavu..." asks; "Ne" is clicked.
xdotool mousemove --sync $((DX + 168 + 85)) $((DY + 231 + 11)) click 1
box=$(wait_for_window '^Mečovník$') || fail "the revert question did not come up"
expect_on_top "the revert question" "$box" "$adjust" "$adjust"
expect_dialog_hints "the revert question" "$box"
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/otazka-nad-upravami.png"
# The box's buttons stand at its bottom right: "Ano", then "Ne".
eval "$(xwininfo -id "$box" | awk '/Absolute upper-left X/ { print "BX=" $NF }
    /Absolute upper-left Y/ { print "BY=" $NF } /Width:/ { print "BW=" $NF }
    /Height:/ { print "BH=" $NF }')"
xdotool mousemove --sync $((BX + BW - 47)) $((BY + BH - 24)) click 1
for i in $(seq 40); do
    xdotool search --onlyvisible --name '^Mečovník$' >/dev/null 2>&1 || break
    sleep 0.05
done
xdotool search --onlyvisible --name '^Mečovník$' >/dev/null 2>&1 &&
    fail "a click on Ne did not answer the revert question"
echo "a real click on Ne answered the revert question"

# The about box, from the main window's menu while the customisation window
# stays open; its OK answers a click.
click_main
xdotool key --clearmodifiers alt+a i
about=$(wait_for_window '^Mečovník$') || fail "the about box did not come up"
expect_on_top "the about box" "$about" "$adjust" "$main"
expect_dialog_hints "the about box" "$about"
AX=$(xwininfo -id "$about" | awk '/Absolute upper-left X/ { print $NF }')
AY=$(xwininfo -id "$about" | awk '/Absolute upper-left Y/ { print $NF }')
xdotool mousemove --sync $((AX + 151 + 37)) $((AY + 173 + 11)) click 1
for i in $(seq 40); do
    is_normal "$about" || break
    sleep 0.05
done
is_normal "$about" && fail "a click on OK did not close the about box"
echo "a real click on OK closed the about box"

# The settings dialog, from the menu; Escape closes it.
click_main
xdotool key --clearmodifiers alt+v p
settings=$(wait_for_window '^Nastavení programu$') || fail "the settings did not come up"
expect_on_top "the settings" "$settings" "$adjust" "$main"
expect_dialog_hints "the settings" "$settings"
xdotool key Escape
sleep 0.3
is_normal "$settings" && fail "Escape did not close the settings"

# 3. "Nová postava": minimised, it comes back with the main window.
click_main
xdotool key --clearmodifiers ctrl+p
new=$(wait_for_window '^Nová postava$') || fail "Nová postava did not come up"
expect_on_top "Nová postava" "$new" "$adjust" "$main"
expect_dialog_hints "Nová postava" "$new"
xdotool windowminimize "$new"
for i in $(seq 20); do
    if ! is_normal "$new" && is_normal "$main"; then
        fail "Nová postava is minimised while the main window shows"
    fi
    sleep 0.05
done
if ! is_normal "$new"; then
    xdotool windowactivate "$main"
    for i in $(seq 40); do
        is_normal "$new" && break
        sleep 0.05
    done
    is_normal "$new" || fail "Nová postava did not come back with the main window"
    echo "minimising Nová postava took the main window along; both came back"
else
    echo "Nová postava stayed in sight"
fi
for i in $(seq 40); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$new" ] && break
    sleep 0.05
done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$new" ] || fail "Nová postava is not active again"
xdotool type Frodo
xdotool key Return
for i in $(seq 40); do
    is_normal "$new" || break
    sleep 0.05
done
is_normal "$new" && fail "Nová postava did not take the keyboard"
echo "Nová postava took the keyboard again"

quit_program
