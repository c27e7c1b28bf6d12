#!/bin/sh
# The experience ledger in the real program under a window manager: a
# character and a monster entered by keys, both selected by keys, the monster
# wounded (Ctrl+B), Boj > Deník zkušeností opened by keys; the fight saved
# with Ctrl+S and a typed name holds the wound's row in its ledger.
# usage: ledger.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

start_display
start_program
xdotool windowactivate --sync "$window" 2>/dev/null

xdotool key --clearmodifiers ctrl+p
type_into_dialog '^Nová postava$' Aragorn
xdotool key --clearmodifiers ctrl+n
type_into_dialog '^Nová nestvůra$' Vlk
# Each roster's first row selected by keys.
for key in p n; do
    xdotool key --clearmodifiers alt+b
    sleep 0.3
    xdotool key "$key"
    sleep 0.3
    xdotool key Down
    sleep 0.3
done
xdotool key --clearmodifiers ctrl+b
type_into_dialog '^Zranit nestvůru$' ""
# Boj > Deník zkušeností.
xdotool key --clearmodifiers alt+b
sleep 0.3
xdotool key d
sleep 0.6
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/denik.png"

xdotool key --clearmodifiers ctrl+s
wait_for_window '^Uložit souboj jako$' >/dev/null || fail "Ctrl+S showed no save dialog"
sleep 0.5
xdotool type --delay 20 "$HOME/denik"
xdotool key Return
for i in $(seq 100); do
    [ -s "$HOME/denik.souboj" ] && break
    sleep 0.1
done
[ -s "$HOME/denik.souboj" ] || fail "the fight was not saved"
python3 - "$HOME/denik.souboj" <<'PY' || fail "the saved ledger lacks the wound: $(cat "$HOME/denik.souboj")"
import json, sys
rows = json.load(open(sys.argv[1], encoding="utf-8"))["denik"]
events = [(r["character"], r["event"], r.get("monster")) for r in rows]
assert ("Aragorn", "added", None) in events, events
wounds = [r for r in rows if r["event"] == "wound"]
assert len(wounds) == 1 and wounds[0]["monster"] == "Vlk", events
assert wounds[0]["earned"] > 0 and wounds[0]["livesTaken"] >= 1, wounds
PY
echo "the wound by keys is a row of the ledger; the window opened from Boj by keys"
quit_program
