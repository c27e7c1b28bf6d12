#!/bin/sh
# The players' view in the real program, driven by keys under a window manager:
# F12 opens its window, F11 fills the screen with it. Sharing on (as a
# previous run left it): the page and its data on loopback, a wrong key
# refused with 403 and nothing else, a bounded burst of connections leaving
# the program answering, and headless Chromium showing the fight and a wound
# typed in the program within a second. Without chromium those last parts are
# skipped (exit 77) after the rest has passed.
# With E2E_SHOTS set to a folder, the full-screen window and the phone-sized
# page are left there.
# usage: player_view.sh <program>
set -u
PROGRAM=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
TOKEN="Klic-pohledu_0123456789abc"
URL="http://127.0.0.1:$PORT/$TOKEN"
mkdir -p "$(dirname "$STORE")"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nastavení]\n"Sdílet pohled pro hráče"=dword:00000001\n"Port pohledu pro hráče"=dword:%08x\n"Klíč pohledu pro hráče"="%s"\n' \
    "$PORT" "$TOKEN" >"$STORE"

chromium_pid=""
stop_chromium() {
    [ -n "$chromium_pid" ] && kill "$chromium_pid" 2>/dev/null
    chromium_pid=""
}
trap 'stop_chromium; e2e_cleanup' EXIT

start_display
start_program

# A character and a monster, typed in as the game master does.
xdotool key --clearmodifiers ctrl+p
wait_for_window '^Nová postava$' >/dev/null || fail "no character dialog"
xdotool type --delay 5 "Aragorn"
xdotool key Tab
xdotool type --delay 5 "42"
xdotool key Tab
xdotool type --delay 5 "50"
xdotool key Return
sleep 0.3
xdotool key --clearmodifiers ctrl+n
wait_for_window '^Nová nestvůra$' >/dev/null || fail "no monster dialog"
xdotool type --delay 5 "Zlobr"
xdotool key Return
sleep 0.3

# The window for a second screen, full screen with F11.
xdotool key F12
view=$(wait_for_window '^Pohled pro hráče$') || fail "F12 opened no players' view"
xdotool windowactivate --sync "$view" 2>/dev/null
xdotool key F11
for i in $(seq 50); do
    size=$(xwininfo -id "$view" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w "x" h }')
    [ "$size" = "${E2E_SCREEN_SIZE:-1280x1024}" ] && break
    sleep 0.1
done
[ "$size" = "${E2E_SCREEN_SIZE:-1280x1024}" ] || fail "F11 left the view at $size"
sleep 0.5
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/pohled-pro-hrace.png"
xdotool key Escape
sleep 0.3
echo "F12 opened the players' view, F11 filled the screen"

# The page and its data; a wrong key is told nothing.
data=$(curl -s --max-time 5 "$URL/data") || fail "the view's data did not come"
echo "$data" | grep -q '"name":"Aragorn"' || fail "no character in $data"
echo "$data" | grep -q '"word":"nezraněná"' || fail "no unhurt monster in $data"
echo "$data" | grep -q '"lives":[0-9]*,"name":"Zlobr"' && fail "a monster's numbers in $data"
answer=$(curl -s --max-time 5 -o "$WORK/refused" -w '%{http_code}' "http://127.0.0.1:$PORT/wrong/data")
[ "$answer" = 403 ] && [ ! -s "$WORK/refused" ] || fail "a wrong key got $answer and $(cat "$WORK/refused")"
echo "the data holds the fight; a wrong key gets 403 and an empty body"

# A burst of 300 connections in at most 3 seconds, loopback only; half of them
# send junk or half a request. The program still answers at once.
python3 - "$PORT" <<'PY'
import socket, sys, time
port = int(sys.argv[1])
began = time.monotonic()
open_ones = []
for i in range(300):
    if time.monotonic() - began > 3:
        break
    try:
        s = socket.create_connection(("127.0.0.1", port), timeout=1)
    except OSError:
        continue
    if i % 3 == 0:
        s.sendall(b"\x16\x03\x01" + b"x" * 100)
    elif i % 3 == 1:
        s.sendall(b"GET /" + b"a" * 300)
    open_ones.append(s)
for s in open_ones:
    s.close()
PY
began=$(date +%s%N)
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers ctrl+p
wait_for_window '^Nová postava$' >/dev/null || fail "the program did not answer after the burst"
echo "after the burst a dialog opened in $(( ($(date +%s%N) - began) / 1000000 )) ms"
xdotool key Escape
sleep 0.3
curl -s --max-time 5 "$URL/data" | grep -q Aragorn || fail "no data after the burst"

if ! command -v chromium >/dev/null 2>&1; then
    echo "chromium is missing: the page in a browser is not tried"
    quit_program
    exit 77
fi

# The players' page in headless Chromium on loopback.
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$WORK/chromium" \
    --remote-debugging-port=0 "$URL" >"$WORK/chromium.log" 2>&1 &
chromium_pid=$!
python3 "$HERE/cdp.py" "$WORK/chromium" wait "document.body.innerText" "nezraněná" 10000 >/dev/null ||
    fail "the page did not show the fight"
python3 "$HERE/cdp.py" "$WORK/chromium" eval "document.body.innerText" | grep -q "42 / 50" ||
    fail "the page shows no character's lives"

# A wound typed in the program reaches the page within a second: each roster
# shown from the menu and its first row taken with Down, then Ctrl+B.
xdotool windowactivate --sync "$window" 2>/dev/null
for item in p n; do
    xdotool key --clearmodifiers alt+b
    sleep 0.2
    xdotool key "$item"
    sleep 0.2
    xdotool key Down
    sleep 0.2
done
xdotool key --clearmodifiers ctrl+b
wait_for_window '^Zranit nestvůru$' >/dev/null || fail "no wound dialog"
xdotool type --delay 5 "1000"
pressed=$(date +%s%N)
xdotool key Return
seen=$(python3 "$HERE/cdp.py" "$WORK/chromium" wait "document.getElementById('nestvury').innerText" "mrtvá" 1000) ||
    fail "the page did not follow the wound: $seen"
took=$(( ($(date +%s%N) - pressed) / 1000000 ))
# Counted from the key, the reading of the page included.
[ "$took" -le 1000 ] || fail "the page followed the wound only after $took ms"
echo "the page showed the wound $took ms after the key"
shot="${E2E_SHOTS:-$WORK}/pohled-telefon.png"
python3 "$HERE/cdp.py" "$WORK/chromium" shot "$shot" 390 844 || fail "no screenshot of the page"
[ -s "$shot" ] || fail "an empty screenshot"
stop_chromium
quit_program
echo "the players' page follows the fight"
