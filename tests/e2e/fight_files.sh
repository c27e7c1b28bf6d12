#!/bin/sh
# The fight as a file, in the real program under a window manager:
# 1. a fight entered by keys (characters, monsters, a row clicked), then Alt+X:
#    the fight is kept as a file in the state folder; the next start is empty
#    and asks nothing; Soubor > Nedávné souboje > its first item brings the
#    fight back exactly (compared through the journal each writes, read by
#    journal_dump), and Zpět gives the empty start back;
# 2. Ctrl+S with a name typed into the save dialog writes that file;
# 3. `mecovnik FILE.souboj` while a copy runs ends at once, and the running
#    copy comes to the front and opens the file (its caption names it), for a path relative to
#    another folder; a file that is not there is said by the running copy;
# 4. `mecovnik FILE.souboj` as the only copy opens it at start.
# usage: fight_files.sh <program> <journal_dump>
set -u
PROGRAM=$1
DUMP=$2
. "$(dirname "$0")/lib.sh"
JOURNAL="$XDG_STATE_HOME/mecovnik/fight.journal"
TITLE='^Mečovník pro Hradomor'

# The fight the journal holds: rows and selections (the monster kinds not yet
# in the settings are no part of a fight file).
dump() { "$DUMP" "$JOURNAL" 2>/dev/null | grep -v '^druh '; }

# Waits for the main window's caption to match; fails after 10 s.
wait_caption() {
    for i in $(seq 200); do
        xdotool getwindowname "$window" 2>/dev/null | grep -q "$1" && return 0
        sleep 0.05
    done
    fail "the caption is '$(xdotool getwindowname "$window")', not $1"
}

start_display
start_program
xdotool windowactivate --sync "$window" 2>/dev/null

# 1. A fight entered by keys.
before=""
for name in Aragorn "Bilbo & spol"; do
    xdotool key --clearmodifiers ctrl+p
    type_into_dialog '^Nová postava$' "$name"
    before=$(wait_journal_change "$before") || fail "the character $name was not journalled"
done
# The first character's row selected by keys: the selection is part of the
# fight (written with the next change).
xdotool key --clearmodifiers alt+b
sleep 0.3
xdotool key p # Boj > Ukázat okno postav
sleep 0.3
xdotool key Down
for i in 1 2; do
    xdotool key --clearmodifiers ctrl+n
    type_into_dialog '^Nová nestvůra$' "Vlk"
    before=$(wait_journal_change "$before") || fail "the monster $i was not journalled"
done
echo "$before" | grep -q '^selected postava Aragorn' || fail "no character selected:
$before"
fought=$before
echo "the fight entered by keys:"
echo "$fought" | sed 's/^/  /'

quit_program
[ -e "$JOURNAL" ] && fail "a normal quit left the journal"
kept=$(ls "$XDG_STATE_HOME/mecovnik" | grep '^konec-.*\.souboj$')
[ "$(echo "$kept" | wc -l)" -eq 1 ] || fail "kept files: $kept"
[ "$(stat -c %a "$XDG_STATE_HOME/mecovnik/$kept")" = 600 ] || fail "the kept file is not private"
grep -q '"jmeno": "Bilbo & spol"' "$XDG_STATE_HOME/mecovnik/$kept" || fail "the kept file lacks Bilbo"
echo "Alt+X kept the fight as $kept"

start_program
sleep 1
xdotool search --onlyvisible --name '^Mečovník$' >/dev/null 2>&1 && fail "the new start asked something"
[ -e "$JOURNAL" ] && fail "the new start wrote a journal: it is not empty"
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+s
sleep 0.4
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/soubor.png"
xdotool key b
sleep 0.4
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/nedavne.png"
xdotool key 1
back=$(wait_journal_change "") || fail "the recent item opened nothing"
[ "$back" = "$fought" ] || fail "the fight came back as
$back
instead of
$fought"
wait_caption '^Mečovník pro Hradomor$'
echo "the new start was empty; Nedávné souboje > 1 brought the fight back exactly"
xdotool key --clearmodifiers alt+BackSpace
empty=$(wait_journal_change "$back") || fail "Zpět did nothing"
echo "$empty" | grep -q '^postava\|^nestvura' && fail "Zpět left rows: $empty"
xdotool key --clearmodifiers ctrl+y
wait_journal_change "$empty" >/dev/null || fail "Znovu did nothing"

# 2. Ctrl+S asks for a name the first time.
xdotool key --clearmodifiers ctrl+s
dialog=$(wait_for_window '^Uložit souboj jako$') || fail "Ctrl+S showed no save dialog"
sleep 0.5
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/ulozit.png"
xdotool type --delay 20 "$HOME/druzina"
xdotool key Return
wait_caption '^Mečovník pro Hradomor – druzina\.souboj$'
grep -q '"jmeno": "Aragorn"' "$HOME/druzina.souboj" || fail "the saved file lacks Aragorn"
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/titulek.png"
echo "Ctrl+S with a typed name wrote $HOME/druzina.souboj; the caption names it"

# 3. A later copy with a file: it ends, the running copy opens the file.
mkdir -p "$WORK/jinde"
cat >"$WORK/jinde/predany.souboj" <<'EOF'
{"format": "mecovnik-souboj", "verze": 1,
 "postavy": [{"jmeno": "Éowyn", "zivoty": 20, "max_zivoty": 30, "vyrazeni": 3,
              "zkusenost": 7, "nepridelena_zkusenost": 2}],
 "nestvury": [],
 "vybrano": {"postava": 0, "nestvura": null}}
EOF
before=$(dump)
# Another window of the desktop is the active one.
xmessage -name other -center "Jiné okno" &
other_pid=$!
other=$(wait_for_window '^other$') || fail "the other window did not appear"
xdotool windowactivate --sync "$other" 2>/dev/null
(cd "$WORK/jinde" && timeout 5 "$PROGRAM" predany.souboj 2>>"$WORK/stderr-second")
code=$?
[ "$code" -eq 0 ] || fail "the later copy ended with exit code $code"
[ "$(xdotool search --name "$TITLE" | wc -l)" -eq 1 ] || fail "the later copy showed a window"
wait_caption '^Mečovník pro Hradomor – predany\.souboj$'
now=$(wait_journal_change "$before") || fail "the handed file was not opened"
echo "$now" | grep -qx 'postava 20 30 3 7 2 Éowyn' || fail "the handed fight is not there: $now"
echo "$now" | grep -q '^nestvura' && fail "the handed fight kept the old monsters"
for i in $(seq 40); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && break
    sleep 0.05
done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] || fail "the running copy did not come to the front"
kill "$other_pid" 2>/dev/null
echo "mecovnik predany.souboj beside a running copy ended at once; the running copy came to the front and opened it"

timeout 5 "$PROGRAM" "$WORK/neni.souboj" 2>>"$WORK/stderr-second"
box=$(wait_for_window '^Mečovník$') || fail "a missing file was not said"
xdotool windowactivate --sync "$box" 2>/dev/null
xdotool key Return
sleep 0.3
echo "a file that is not there is said by the running copy"
quit_program

# 4. The only copy, started with a file.
"$PROGRAM" "$HOME/druzina.souboj" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window "$TITLE") || fail "the program with a file showed no window"
wait_caption '^Mečovník pro Hradomor – druzina\.souboj$'
echo "mecovnik druzina.souboj opened it at start"
quit_program
