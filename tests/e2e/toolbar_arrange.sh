#!/bin/sh
# The toolbar arranged with the mouse in the real program, each result read
# from the store after the automatic save at quitting:
# 1. a toolbar button dragged onto the customisation window is removed; a
#    button whose top-left lands at (30, 10) beside the button at (4, 4) goes
#    to (29, 4);
# 2. after a restart the arranged toolbar is back; a button landing at
#    (40, 10) goes to (40, 4), at (100, 27) to (100, 29); "Oddělovač" dropped
#    at y 20 becomes a full-height separator at y 0;
# 3. the next start brings that toolbar back unchanged, and drags broken off
#    with Escape change nothing.
# With E2E_SHOTS naming a folder, a screenshot of a drag in progress is left
# there as toolbar-drag.png.
# usage: toolbar_arrange.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

# Like drag, but Escape is pressed half-way; the release comes after more moves.
drag_escaped() {
    xdotool mousemove --sync "$1" "$2" mousedown 1
    for i in 1 2 3 4 5 6; do
        xdotool mousemove --sync $(($1 + ($3 - $1) * i / 6)) $(($2 + ($4 - $2) * i / 6))
        [ "$i" = 3 ] && xdotool key Escape
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.3
}

# Drags the toolbar button at toolbar point (x, y) onto the window's help text.
drag_off() {
    drag $((TX + $1 + 12)) $((TY + $2 + 12)) $((DX + 150)) $((DY + 195))
}

# The stored toolbar as "id,left,top,width,height" records, one a line.
stored_toolbar() {
    awk '
        function hex(h,   v, i) { v = 0; for (i = 1; i <= length(h); i++) v = v * 16 + index("0123456789abcdef", substr(h, i, 1)) - 1; return v }
        /^"Tlačítka"=hex:/ { on = 1; sub(/^"Tlačítka"=hex:/, "") }
        on { line = $0; more = sub(/\\$/, "", line); gsub(/ /, "", line); data = data line; if (!more) on = 0 }
        END {
            n = split(data, b, ",")
            for (i = 1; i + 3 <= n; i += 4) {
                v = hex(b[i]) + 256 * hex(b[i + 1]) + 65536 * hex(b[i + 2]) + 16777216 * hex(b[i + 3])
                if (v >= 2147483648) v -= 4294967296
                out = out (out == "" ? "" : (i - 1) % 20 ? "," : "\n") v
            }
            print out
        }' "$STORE"
}

expect_store() {
    got=$(stored_toolbar)
    [ "$got" = "$1" ] || fail "the stored toolbar is
$got
instead of
$1"
}

start_display
start_time=$(date +%s)

# 1. Button 2 off the toolbar, "Seřadit okna na sebe" beside button 1.
start_program
find_toolbar
open_customisation
drag_off 29 4
select_group 2
drag_item 0 30 10 12 12
quit_program
expect_store "1,4,4,25,25
3,29,4,25,25"
echo "button 2 removed; a button landing at (30, 10) went to (29, 4)"

# 2. The arranged toolbar is back: its button at (29, 4) can be dragged off.
start_program
find_toolbar
open_customisation
drag_off 29 4
select_group 2
shot=toolbar-drag
drag_item 1 40 10 12 12
shot=
drag_item 2 100 27 12 12
select_group 0
drag_item 0 160 20 1 16
quit_program
arranged="1,4,4,25,25
4,40,4,25,25
5,100,29,25,25
-2,160,0,2,33"
expect_store "$arranged"
echo "after a restart: (40, 10) went to (40, 4), (100, 27) to (100, 29), Oddělovač to (160, 0) at full height"

# 3. Started again: the same toolbar. A drag from the list and one of a
# toolbar button, both broken off with Escape, leave it as it is.
start_program
find_toolbar
open_customisation
select_group 3
drag_escaped $((DX + 236)) $((DY + 47)) $((TX + 200)) $((TY + 16))
drag_escaped $((TX + 52)) $((TY + 16)) $((DX + 150)) $((DY + 195))
quit_program
expect_store "$arranged"
echo "the arranged toolbar came back after a restart ($(($(date +%s) - start_time)) s)"
