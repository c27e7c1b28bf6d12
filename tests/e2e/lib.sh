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
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    wm_pid=$!
    for i in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    fail "the window manager did not start"
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

# The window's outer bounds "x,y wxh": its own geometry grown by the frame the
# window manager put around it.
outer_bounds() {
    eval "$(xdotool getwindowgeometry --shell "${1:-$window}")"
    extents=$(xprop -id "${1:-$window}" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    left=0 right=0 top=0 bottom=0
    if [ -n "$extents" ]; then
        left=$(echo "$extents" | cut -d, -f1)
        right=$(echo "$extents" | cut -d, -f2)
        top=$(echo "$extents" | cut -d, -f3)
        bottom=$(echo "$extents" | cut -d, -f4)
    fi
    echo "$((X - left)),$((Y - top)) $((WIDTH + left + right))x$((HEIGHT + top + bottom))"
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
