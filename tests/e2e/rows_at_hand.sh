#!/bin/sh
# The rosters and the fight's buttons in the real program, by mouse:
# 1. a character joins; a real double click on its row opens "Upravit
#    postavu", whose new name the fight's journal then shows;
# 2. "Nová postava" and "Zpět" are dragged from the group "Boj" of the
#    customisation window onto the toolbar and clicked: the first asks for a
#    new character, the second takes it back;
# 3. at QT_SCALE_FACTOR=2 the toolbar's glyphs are drawn at twice the size,
#    not blown up from the small ones (no 2 x 2 blocks).
# With E2E_SHOTS naming a folder, the scaled window is left there as
# scaled-2x.png.
# usage: rows_at_hand.sh <program> <journal_dump>
set -u
PROGRAM=$1
DUMP=$2
E2E_SCREEN=2560x2048x24
. "$(dirname "$0")/lib.sh"
JOURNAL="$XDG_STATE_HOME/mecovnik/fight.journal"

names() { "$DUMP" "$JOURNAL" 2>/dev/null | sed -n 's/^postava .* //p' | tr '\n' ' '; }

expect_names() {
    for i in $(seq 100); do
        [ "$(names)" = "$1" ] && return 0
        sleep 0.05
    done
    fail "the characters are '$(names)' instead of '$1'"
}

# A screenshot once the screen has settled: two in a row alike.
settled_shot() {
    import -window root "$1"
    for i in $(seq 25); do
        sleep 0.2
        import -window root "$WORK/again.png"
        [ "$(compare -metric AE "$1" "$WORK/again.png" null: 2>&1)" = 0 ] && return 0
        mv "$WORK/again.png" "$1"
    done
}

new_character() {
    d=$(wait_for_window '^Nová postava$') || fail "no \"Nová postava\" dialog came"
    xdotool windowactivate --sync "$d" 2>/dev/null
    xdotool type --delay 5 "$1"
    xdotool key Return
}

start_display
start_program
xdotool windowactivate --sync "$window"

# 1. The new row is where the screen changed; double-click its middle.
settled_shot "$WORK/before.png"
xdotool key --clearmodifiers ctrl+p
new_character Aragorn
expect_names "Aragorn "
settled_shot "$WORK/after.png"
box=$(convert "$WORK/before.png" "$WORK/after.png" -compose difference -composite \
    -threshold 0 -trim info:- | awk '{ print $3, $4 }')
w=${box%%x*}; rest=${box#*x}; h=${rest%% *}
off=${box#* }; x=$(echo "$off" | cut -d+ -f2); y=$(echo "$off" | cut -d+ -f3)
[ -n "$w" ] && [ "$h" -lt 30 ] || fail "the new row was not found ($box)"
xdotool mousemove --sync $((x + 10)) $((y + h / 2)) click --repeat 2 --delay 60 1
edit=$(wait_for_window '^Upravit postavu$') || fail "a double click on the row opened nothing"
xdotool windowactivate --sync "$edit" 2>/dev/null
xdotool key ctrl+a
xdotool type --delay 5 "Faramir"
xdotool key Return
expect_names "Faramir "
echo "a double click on the row edited it"

# 2. The fight's buttons onto the toolbar, then clicked.
find_toolbar
open_customisation
select_group 4
drag_item 0 60 4 12 12
drag_item 3 85 4 12 12
xdotool mousemove --sync $((DX + 344 + 37)) $((DY + 231 + 11)) click 1
sleep 0.3
xdotool mousemove --sync $((TX + 60 + 12)) $((TY + 4 + 12)) click 1
new_character Boromir
expect_names "Boromir Faramir "
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool mousemove --sync $((TX + 85 + 12)) $((TY + 4 + 12)) click 1
expect_names "Faramir "
quit_program
echo "the fight's buttons, placed by dragging, ran their commands"

# 3. Twice the size: a pixel pair of the toolbar's glyphs that differs.
QT_SCALE_FACTOR=2 start_program
wx=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $NF }')
wy=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $NF }')
import -window root "$WORK/scaled.png"
[ -n "${E2E_SHOTS:-}" ] && cp "$WORK/scaled.png" "$E2E_SHOTS/scaled-2x.png"
# The glyphs lie below the menu, in the first 60 x 60 pixels of the toolbar.
convert "$WORK/scaled.png" -crop "120x60+$wx+$((wy + 44))" +repage "$WORK/glyphs.png"
convert "$WORK/glyphs.png" -sample 50% -sample 200% "$WORK/blocks.png"
diff_pixels=$(compare -metric AE "$WORK/glyphs.png" "$WORK/blocks.png" null: 2>&1)
[ "${diff_pixels%%.*}" -gt 50 ] || fail "the glyphs at twice the size are blown up ($diff_pixels pixels differ)"
quit_program
echo "at twice the size the glyphs are drawn sharp ($diff_pixels pixels of their own)"
