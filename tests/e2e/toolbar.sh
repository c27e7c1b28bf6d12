#!/bin/sh
# The toolbar of the real program under a virtual X display with a window
# manager, driven with real mouse clicks:
# 1. a first start shows buttons 1 and 2 at (4, 4) and (29, 4) of the toolbar
#    under the menu; a click on button 1 opens the printer setup, a click on
#    button 2 ends the program with exit code 0 and saves the initial toolbar;
# 2. a stored layout is in force at the start, and comes back after a restart;
# 3. a stored hidden toolbar starts hidden.
# With E2E_SHOTS set to a folder, the toolbar is kept there at 100 % and 400 %.
# usage: toolbar.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"
mkdir -p "$(dirname "$STORE")"
KEY='[HKEY_CURRENT_USER\Software\Ferdax\Mečovník pro Hradomor\1.0\Panel nástrojů]'

# The main window's client origin: CX, CY.
client_origin() {
    CX=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
    CY=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
}

# The colour of a screen pixel as #RRGGBB, from the screenshot in $WORK/screen.png.
pixel() {
    convert "$WORK/screen.png" -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'
}

screenshot() {
    sleep 0.3
    import -window root "$WORK/screen.png"
}

# The top left of the window, where menu and toolbar are, as text pixels.
window_top_pixels() {
    convert "$WORK/screen.png" -crop "200x120+$CX+$CY" +repage txt:-
}

# The quit button's glyph has the only pure red at the window's top: the
# figure's head, at (12, 4) of the glyph, which sits at (2, 2) of its button.
# Sets TX, TY, the toolbar's screen origin found from it, or fails.
find_toolbar_by_quit_button() {
    head=$(window_top_pixels | grep -m 1 '#FF0000' | cut -d: -f1)
    [ -n "$head" ] || fail "the quit button's glyph is not on screen"
    TX=$(( CX + ${head%,*} - 29 - 2 - 12 ))
    TY=$(( CY + ${head#*,} - 4 - 2 - 4 ))
}

# Waits for a window other than the main one; prints its id.
wait_for_other_window() {
    for i in $(seq 100); do
        for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            [ "$w" != "$window" ] && { echo "$w"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

click_at() {
    xdotool mousemove --sync "$1" "$2" click 1
}

store_toolbar() {
    cat > "$STORE" <<REG
Windows Registry Editor Version 5.00

$KEY
"Verze"=dword:00000001
"Viditelný"=dword:0000000$1
"Zobrazovat popisky"=dword:00000000
"Počet tlačítek"=dword:00000003
"Tlačítka"=hex:09,00,00,00,04,00,00,00,04,00,00,00,19,00,00,00,19,00,00,00,\\
  fe,ff,ff,ff,1d,00,00,00,00,00,00,00,02,00,00,00,21,00,00,00,03,00,00,00,21,\\
  00,00,00,04,00,00,00,19,00,00,00,19,00,00,00
REG
}

start_display

# 1. The first start.
start_program
client_origin
screenshot
find_toolbar_by_quit_button
[ "$TX" -eq "$CX" ] || fail "the toolbar starts at x $TX, not at the window's left $CX"
below_menu=$((TY - CY))
[ "$below_menu" -ge 10 ] && [ "$below_menu" -le 60 ] || fail "the toolbar is $below_menu pixels down"
# Button 1's glyph at (4 + 2, 4 + 2): the paper's black frame at (4, 1) of the
# glyph, white paper inside it.
[ "$(pixel $((TX + 6 + 4)) $((TY + 6 + 1)))" = "#000000" ] || fail "no printer glyph at (4, 4)"
[ "$(pixel $((TX + 6 + 6)) $((TY + 6 + 2)))" = "#FFFFFF" ] || fail "no paper in the printer glyph"
# The olive background is gone from both buttons.
convert "$WORK/screen.png" -crop "50x25+$((TX + 4))+$((TY + 4))" +repage txt:- | grep -q '#808000' &&
    fail "olive left on the buttons"
echo "buttons 1 and 2 at (4, 4) and (29, 4), $below_menu pixels below the window's top"
if [ -n "${E2E_SHOTS:-}" ]; then
    mkdir -p "$E2E_SHOTS"
    convert "$WORK/screen.png" -crop "120x33+$TX+$TY" +repage "$E2E_SHOTS/toolbar.png"
    convert "$E2E_SHOTS/toolbar.png" -scale 400% "$E2E_SHOTS/toolbar-400.png"
fi

click_at $((TX + 4 + 12)) $((TY + 4 + 12))
setup=$(wait_for_other_window) || fail "button 1 did not open the printer setup"
echo "button 1 opened \"$(xdotool getwindowname "$setup")\""
xdotool windowactivate --sync "$setup" 2>/dev/null
xdotool key --clearmodifiers Escape
for i in $(seq 50); do
    xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$setup" || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the program ended with the printer setup"

click_at $((TX + 29 + 12)) $((TY + 4 + 12))
wait_for_exit 10 || fail "button 2 ended the program with exit code $?"
echo "button 2 ended the program with exit code 0"
grep -qF "$KEY" "$STORE" || fail "the toolbar was not saved"
for value in '"Verze"=dword:00000001' '"Viditelný"=dword:00000001' \
             '"Zobrazovat popisky"=dword:00000001' '"Počet tlačítek"=dword:00000002' \
             '"Tlačítka"=hex:01,00,00,00,04,00,00,00,04,00,00,00,19,00,00,00,19,00,00,00,'; do
    grep -qF "$value" "$STORE" || fail "the saved toolbar lacks $value"
done
echo "the initial toolbar was saved"

# 2. A stored layout: the about button at (4, 4), a separator, cascade.
store_toolbar 1
for round in 1 2; do
    start_program
    screenshot
    client_origin
    window_top_pixels | grep -q '#FF0000' && fail "the quit button is still there"
    TX=$CX
    TY=$((CY + below_menu))
    click_at $((TX + 4 + 12)) $((TY + 4 + 12))
    about=$(wait_for_other_window) || fail "the stored button 9 did not open the about box"
    xdotool windowactivate --sync "$about" 2>/dev/null
    xdotool key --clearmodifiers Escape
    sleep 0.3
    quit_program
    grep -qF '"Počet tlačítek"=dword:00000003' "$STORE" || fail "the layout was not kept (round $round)"
    grep -qF '"Tlačítka"=hex:09,00,00,00,04,00,00,00,04,00,00,00,19,00,00,00,19,00,00,00,' "$STORE" ||
        fail "the layout changed (round $round)"
    echo "the stored layout is in force (start $round)"
done

# 3. A stored hidden toolbar.
store_toolbar 0
start_program
screenshot
client_origin
# Where the toolbar would be, the document area begins instead: nothing of the
# about button's glyph.
convert "$WORK/screen.png" -crop "25x25+$((CX + 4))+$((CY + below_menu + 4))" +repage txt:- |
    grep -q '#000080' && fail "the hidden toolbar shows"
quit_program
grep -qF '"Viditelný"=dword:00000000' "$STORE" || fail "the toolbar came back visible"
echo "a hidden toolbar starts hidden and stays so"
