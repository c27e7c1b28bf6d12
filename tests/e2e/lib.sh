# Shared by the end-to-end tests; source it with PROGRAM set to the program file.
#
# Every test gets a folder WORK of its own with a fresh HOME, XDG_CONFIG_HOME,
# XDG_STATE_HOME and XDG_RUNTIME_DIR, and runs the real program on a virtual X
# display of its own with a real window manager (openbox), as users have one:
# framing, placement and activation differ without it.

WORK=$(mktemp -d)
mkdir -p "$WORK/home" "$WORK/config" "$WORK/state" "$WORK/runtime"
chmod 700 "$WORK/runtime"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_STATE_HOME="$WORK/state" \
    XDG_RUNTIME_DIR="$WORK/runtime"
unset QT_QPA_PLATFORM
STORE="$XDG_CONFIG_HOME/mecovnik/registry.reg"
pid=""
window=""
xvfb_pid=""
wm_pid=""

e2e_cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$WORK/stderr" ] && cat "$WORK/stderr"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    pid=""
    exit 1
}

# Starts a virtual display (the server picks a free number itself, so tests may
# run side by side) and openbox on it, and waits until the manager is running.
start_display() {
    rm -f "$WORK/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp \
        3>"$WORK/display" 2>"$WORK/xvfb.log" &
    xvfb_pid=$!
    for i in $(seq 200); do
        [ -s "$WORK/display" ] && break
        sleep 0.05
    done
    [ -s "$WORK/display" ] || fail "the virtual display did not start"
    DISPLAY=":$(head -n 1 "$WORK/display")"
    export DISPLAY
    # A busy machine may take its time; a manager that gave up early is
    # started once more before the test fails.
    for attempt in 1 2; do
        openbox --sm-disable >>"$WORK/openbox.log" 2>&1 &
        wm_pid=$!
        for i in $(seq 600); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$wm_pid" 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "openbox's log:"; cat "$WORK/openbox.log"
    echo "Xvfb's log:"; tail -n 5 "$WORK/xvfb.log"
    fail "the window manager did not start on $DISPLAY"
}

# Starts the program with the given arguments and waits for its main window;
# sets pid and window.
start_program() {
    "$PROGRAM" "$@" 2>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window '^Mečovník pro Hradomor$') || fail "the main window did not appear"
    # Let the deferred start-up (tiling, credit line) run.
    sleep 0.5
}

# Prints the id of the first visible window whose title matches the pattern,
# waiting up to 10 seconds; fails (status 1) when none shows.
wait_for_window() {
    for i in $(seq 200); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$w" ]; then
            echo "$w"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# The window's outer bounds "x,y wxh": those of the frame the window manager
# put around it (the window's ancestor just below the root), as xwininfo gives
# them; the window's own when it has no frame.
outer_bounds() {
    frame=${1:-$window}
    root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
    for i in $(seq 20); do
        parent=$(xwininfo -children -id "$frame" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
        [ -z "$parent" ] || [ "$parent" = "$root" ] && break
        frame=$parent
    done
    xwininfo -id "$frame" | awk '
        /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } /Border width:/ { b = $NF }
        END { printf "%d,%d %dx%d\n", x - b, y - b, w + 2 * b, h + 2 * b }'
}

# Waits for a dialog with the given title, types the text into its focused
# field (none when empty) and presses Enter, as a user does.
type_into_dialog() { # title, text
    wait_for_window "$1" >/dev/null || fail "no dialog $1"
    sleep 0.3
    [ -n "$2" ] && xdotool type --delay 20 "$2"
    xdotool key Return
    sleep 0.4
}

# Presses the keys that open a dialog and waits for it by its title.
open_dialog() { # keys, title
    xdotool key --clearmodifiers "$1"
    wait_for_window "$2" >/dev/null || fail "no dialog $2"
    sleep 0.3
}

# Waits until the test's own dump (a function printing the journal's fight)
# differs from the given text; prints the new one.
wait_journal_change() {
    for i in $(seq 150); do
        now=$(dump)
        if [ "$now" != "$1" ]; then
            echo "$now"
            return 0
        fi
        sleep 0.02
    done
    return 1
}

# Grabs the screen into the given file, cut to a window with its frame (the
# main window unless another is given).
shoot_window() { # file, window
    outer_bounds "${2:-$window}" | {
        IFS=' ,x' read -r x y w h
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"
    }
}

# Waits up to the given seconds (default 10) for the program to end; prints
# its exit code, or fails when it is still running.
wait_for_exit() {
    limit=$(( ${1:-10} * 10 ))
    for i in $(seq "$limit"); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end"
    wait "$pid"
    code=$?
    pid=""
    return "$code"
}

# Ends the program with Alt+X as a user does and expects exit code 0.
quit_program() {
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool key --clearmodifiers alt+x
    wait_for_exit 10 || fail "exit code $?"
}

# Sets TX, TY: the toolbar's top-left on the screen, found from the raised
# left edge of its button at (4, 4), 25 pixels of the light colour.
find_toolbar() {
    wx=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $NF }')
    wy=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $NF }')
    edge=$(import -window root png:- | convert png:- -crop "1x150+$((wx + 4))+$wy" +repage txt:- |
        awk 'NR > 1 { split($1, p, /[,:]/)
                      if ($3 == "#FFFFFF") { if (++run == 20) { print p[2] - 19; exit } } else run = 0 }')
    [ -n "$edge" ] || fail "the toolbar's first button was not found"
    TX=$wx
    TY=$((wy + edge - 4))
}

# Opens the customisation window with a double click on the toolbar's free
# area (find_toolbar first); sets dialog, DX and DY (its client area's
# top-left).
open_customisation() {
    xdotool mousemove --sync $((TX + 300)) $((TY + 16)) click --repeat 2 --delay 60 1
    dialog=$(wait_for_window '^Nastavení panelu nástrojů$') || fail "the customisation window did not open"
    sleep 0.3
    DX=$(xwininfo -id "$dialog" | awk '/Absolute upper-left X/ { print $NF }')
    DY=$(xwininfo -id "$dialog" | awk '/Absolute upper-left Y/ { print $NF }')
}

# The customisation window driven with the mouse (open_customisation and
# find_toolbar first).
# Clicks group row of "Skupiny tlačítek" (13 pixels a row).
select_group() {
    xdotool mousemove --sync $((DX + 16 + 40)) $((DY + 31 + 2 + 13 * $1 + 6)) click 1
    sleep 0.2
}

# Presses at (x0, y0), moves in six steps to (x1, y1) and releases there;
# with shot set (and E2E_SHOTS), takes that screenshot before the release.
drag() {
    xdotool mousemove --sync "$1" "$2" mousedown 1
    for i in 1 2 3 4 5 6; do
        xdotool mousemove --sync $(($1 + ($3 - $1) * i / 6)) $(($2 + ($4 - $2) * i / 6))
        sleep 0.05
    done
    if [ -n "${E2E_SHOTS:-}" ] && [ -n "${shot:-}" ]; then
        sleep 0.2
        import -window root "$E2E_SHOTS/$shot.png"
    fi
    xdotool mouseup 1
    sleep 0.3
}

# Drags item row of "Tlačítka ve skupině" (29 pixels a row) so that its
# top-left lands at toolbar point (x, y); the hot spot is the centre of its
# full-height picture (hx, hy).
drag_item() {
    drag $((DX + 176 + 60)) $((DY + 31 + 2 + 29 * $1 + 14)) \
        $((TX + $2 + $4)) $((TY + $3 + $5))
}
