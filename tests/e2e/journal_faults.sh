#!/bin/sh
# The fight's journal when its files cannot be what they should, in the real
# program under a virtual X display with a window manager. Each case starts
# with a state folder of its own:
# 1. a FIFO in the journal's place: the start does not wait for it, the user
#    is told once that the journal could not be read and where it was put
#    aside, and the fight is journalled as ever;
# 2. a blocked state folder (a file where the folder should be): the user is
#    told once that the fight cannot be kept, later changes say nothing, and
#    once the file is gone the next change writes the whole fight;
# 3. a folder that cannot be written, holding a journal left by a kill: the
#    fight is still offered and restored, the user is told once that it
#    cannot be kept, and once the folder can be written again the next change
#    writes all of it;
# 4. a full disk (a small tmpfs in a private mount namespace, as root): as 3,
#    with the disk filled after the kill and emptied again.
# A message box is read as a user may: its text selected with a triple click
# and copied with Ctrl+C, the clipboard read with xclip. Case 4 needs root and unshare; without them the others run and
# the test ends skipped (exit code 77).
# usage: journal_faults.sh <program> <journal_dump>
set -u
PROGRAM=$1
DUMP=$2

# Everything runs in a private mount namespace when one can be had, so that
# the tmpfs of case 4 is seen by this test alone.
if [ "${E2E_PRIVATE_MOUNTS:-}" != 1 ] && [ "$(id -u)" -eq 0 ] &&
    unshare -m --propagation private true 2>/dev/null; then
    E2E_PRIVATE_MOUNTS=1 exec unshare -m --propagation private sh "$0" "$@"
fi
. "$(dirname "$0")/lib.sh"
BOX='^Mečovník$'
skipped=""

# Clears what a case left immutable before the folder is removed.
journal_cleanup() {
    if [ -n "${locked:-}" ]; then
        chattr -i "$locked" 2>/dev/null
        chmod 700 "$locked" 2>/dev/null
    fi
    e2e_cleanup
}
trap journal_cleanup EXIT

# A fresh state folder for the next case.
new_state() {
    XDG_STATE_HOME="$WORK/state-$1"
    export XDG_STATE_HOME
    mkdir -p "$XDG_STATE_HOME"
    FOLDER="$XDG_STATE_HOME/mecovnik"
    JOURNAL="$FOLDER/fight.journal"
    NOT_KEPT="Rozehraný souboj se nedaří průběžně ukládat do složky $FOLDER; při pádu programu by se ztratil."
}

dump() { "$DUMP" "$JOURNAL" 2>/dev/null; }

launch() {
    "$PROGRAM" 2>>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window '^Mečovník pro Hradomor$') || fail "$case: the main window did not appear"
}

# Waits for a message box, copies its text as a user does (a triple click on
# it, Ctrl+C), closes it with Return and prints the text.
read_box() {
    box=$(wait_for_window "$BOX") || return 1
    xdotool windowactivate --sync "$box" 2>/dev/null
    sleep 0.3
    xdotool mousemove --window "$box" 100 20 click --repeat 3 --delay 60 1
    sleep 0.2
    xdotool key --clearmodifiers ctrl+c
    sleep 0.3
    text=$(xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null)
    xdotool key --clearmodifiers Return
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "$BOX" >/dev/null 2>&1 || break
        sleep 0.05
    done
    printf '%s\n' "$text"
}

# Expects a box saying exactly the given text.
expect_box() {
    said=$(read_box) || fail "$case: no message box for: $1"
    printf '%s\n' "$said" | grep -qxF "$1" || fail "$case: the box said
$said
instead of
$1"
}

no_box() {
    sleep 1
    xdotool search --onlyvisible --name "$BOX" >/dev/null 2>&1 && fail "$case: $1"
    return 0
}

# A new character typed in its dialog and confirmed; waits until the dialog
# is gone.
new_character() {
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool key --clearmodifiers ctrl+p
    wait_for_window '^Nová postava$' >/dev/null || fail "$case: no character dialog"
    xdotool type --delay 5 "$1"
    xdotool key Return
    for i in $(seq 100); do
        xdotool search --onlyvisible --name '^Nová postava$' >/dev/null 2>&1 || break
        sleep 0.05
    done
    sleep 0.3
}

# Waits until the journal holds these characters, one a line, in name order.
expect_characters() {
    for i in $(seq 100); do
        got=$(dump | sed -n 's/^postava [-0-9 ]* //p')
        [ "$got" = "$1" ] && return 0
        sleep 0.05
    done
    fail "$case: the journal holds
$got
instead of
$1"
}

kill_program() {
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    pid=""
}

start_display

case="FIFO"
new_state fifo
mkdir -p "$FOLDER"
mkfifo "$JOURNAL"
launch
expect_box "Záznam rozehraného souboje ve složce $FOLDER nelze přečíst, souboj z něj obnovit nejde. Záznam zůstal v téže složce jako fight.journal.bak."
[ -p "$JOURNAL.bak" ] || fail "$case: the FIFO was not set aside"
new_character Aragorn
new_character Bilbo
expect_characters "Aragorn
Bilbo"
no_box "a second message"
quit_program
echo "$case: the start did not wait, the FIFO was set aside with one message, the fight was journalled"

case="blocked folder"
new_state blocked
echo "soubor" >"$FOLDER"
launch
expect_box "$NOT_KEPT"
new_character Aragorn
new_character Bilbo
no_box "a second message"
rm "$FOLDER"
new_character Celeborn
expect_characters "Aragorn
Bilbo
Celeborn"
no_box "a message after the journal worked again"
quit_program
[ -e "$JOURNAL" ] && fail "$case: a normal quit left the journal"
echo "$case: one message, and every change in the journal once the folder could be made"

case="read-only folder"
new_state readonly
launch
new_character Aragorn
new_character Bilbo
expect_characters "Aragorn
Bilbo"
kill_program
if [ "$(id -u)" -eq 0 ]; then
    chattr +i "$FOLDER" 2>/dev/null && locked=$FOLDER
else
    chmod 555 "$FOLDER" && locked=$FOLDER
fi
if [ -z "${locked:-}" ]; then
    skipped="$skipped read-only"
    echo "$case: SKIPPED, the folder cannot be made read-only here"
else
    launch
    expect_box "Program minule neskončil řádně. Obnovit rozehraný souboj?"
    expect_box "$NOT_KEPT"
    new_character Celeborn
    no_box "a second message"
    [ -e "$FOLDER/fight.journal.new" ] && fail "$case: a temporary file in a read-only folder"
    chattr -i "$FOLDER" 2>/dev/null || chmod 700 "$FOLDER"
    locked=""
    new_character Denethor
    expect_characters "Aragorn
Bilbo
Celeborn
Denethor"
    no_box "a message after the journal worked again"
    quit_program
    echo "$case: the left fight was offered and restored, one message, nothing lost"
fi

case="full disk"
new_state full
if [ "${E2E_PRIVATE_MOUNTS:-}" != 1 ] || ! mount -t tmpfs -o size=512k,mode=0700 tmpfs "$XDG_STATE_HOME"; then
    skipped="$skipped full-disk"
    echo "$case: SKIPPED, needs root and a private mount namespace (unshare)"
else
    launch
    new_character Aragorn
    new_character Bilbo
    expect_characters "Aragorn
Bilbo"
    kill_program
    dd if=/dev/zero of="$XDG_STATE_HOME/zaplneno" bs=4096 2>/dev/null
    launch
    expect_box "Program minule neskončil řádně. Obnovit rozehraný souboj?"
    expect_box "$NOT_KEPT"
    new_character Celeborn
    new_character Denethor
    no_box "a second message"
    rm "$XDG_STATE_HOME/zaplneno"
    new_character Elrond
    expect_characters "Aragorn
Bilbo
Celeborn
Denethor
Elrond"
    no_box "a message after the journal worked again"
    # What was written survives the next kill.
    kill_program
    launch
    expect_box "Program minule neskončil řádně. Obnovit rozehraný souboj?"
    expect_characters "Aragorn
Bilbo
Celeborn
Denethor
Elrond"
    quit_program
    umount "$XDG_STATE_HOME"
    echo "$case: the left fight was restored on a full disk, one message, nothing lost once there was room"
fi

if [ -n "$skipped" ]; then
    echo "SKIPPED:$skipped"
    exit 77
fi
