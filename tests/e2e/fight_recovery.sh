#!/bin/sh
# The real program under a virtual X display, killed with SIGKILL again and
# again in the middle of a fight:
# 1. each round the program starts; from the second round on it asks whether
#    to restore the fight, is answered Yes, and must show exactly the rosters
#    after the last change that completed before the kill (compared through
#    the journal it writes anew from what it shows, read by journal_dump);
# 2. it then makes a few changes (characters, monsters, an undo), sometimes
#    leaves a dialog half filled or is killed right after a key, and is
#    killed with SIGKILL;
# 3. after the rounds, a normal quit removes the journal and the next start
#    asks nothing; a second copy started beside a running one never touches
#    its journal.
# usage: fight_recovery.sh <program> <journal_dump> [rounds]
set -u
PROGRAM=$1
DUMP=$2
ROUNDS=${3:-50}
. "$(dirname "$0")/lib.sh"
JOURNAL="$XDG_STATE_HOME/mecovnik/fight.journal"
QUESTION='^Mečovník$'

# A fixed pseudo-random sequence, so that a failure can be replayed.
seed=20240611
random() { # random N: a number in 0..N-1
    seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
    echo $(( (seed / 65536) % $1 ))
}

dump() { "$DUMP" "$JOURNAL" 2>/dev/null; }

rows_of() { echo "$1" | grep '^postava \|^nestvura '; }

# Whether the first fight is the second with one row added.
one_row_more() {
    [ "$(rows_of "$1" | wc -l)" -eq $(( $(rows_of "$2" | wc -l) + 1 )) ] || return 1
    rows_of "$2" > "$WORK/before.rows"
    rows_of "$1" | grep -vxF -f "$WORK/before.rows" | wc -l | grep -qx 1
}

launch() {
    "$PROGRAM" 2>>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window '^Mečovník pro Hradomor$') || fail "the main window did not appear"
}

answer_yes() {
    q=$(wait_for_window "$QUESTION") || fail "round $round: no question after the kill"
    xdotool windowactivate --sync "$q" 2>/dev/null
    xdotool key Return
}

no_question() {
    sleep 1
    xdotool search --onlyvisible --name "$QUESTION" >/dev/null 2>&1 &&
        fail "a question appeared after a normal end"
    return 0
}

new_character() {
    xdotool key --clearmodifiers ctrl+p
    wait_for_window '^Nová postava$' >/dev/null || fail "no character dialog"
    xdotool type --delay 5 "$1"
}

new_monster() {
    xdotool key --clearmodifiers ctrl+n
    wait_for_window '^Nová nestvůra$' >/dev/null || fail "no monster dialog"
    xdotool type --delay 5 "Vlk"
}

start_display
expected=""
started=$(date +%s)
round=1
while [ "$round" -le "$ROUNDS" ]; do
    launch
    if [ "$round" -gt 1 ]; then
        answer_yes
        # Yes writes the restored rosters anew: what the program shows.
        shown=""
        for i in $(seq 150); do
            shown=$(dump)
            [ "$shown" = "$expected" ] && break
            sleep 0.02
        done
        [ "$shown" = "$expected" ] ||
            fail "round $round: restored
$shown
instead of
$expected"
    else
        no_question
    fi
    xdotool windowactivate --sync "$window" 2>/dev/null

    changes=$(( $(random 3) + 1 ))
    done_here=0
    j=1
    while [ "$j" -le "$changes" ]; do
        case $(random 4) in
        0 | 1) new_character "P${round}_$j" ;;
        2) new_monster ;;
        3)
            if [ "$done_here" -eq 0 ]; then # nothing of this run to undo yet
                new_character "P${round}_$j"
            else
                xdotool key --clearmodifiers alt+BackSpace
                expected=$(wait_journal_change "$expected") || fail "round $round: undo not journalled"
                j=$((j + 1))
                continue
            fi
            ;;
        esac
        if [ "$j" -eq "$changes" ] && [ "$(random 5)" -eq 0 ]; then
            break # killed with the dialog half filled: that change never completed
        fi
        xdotool key Return
        if [ "$j" -eq "$changes" ] && [ "$(random 5)" -eq 0 ]; then
            # Killed right after the key: the change may or may not have completed.
            kill -9 "$pid"
            wait "$pid" 2>/dev/null
            pid=""
            ondisk=$(dump)
            [ "$ondisk" = "$expected" ] || one_row_more "$ondisk" "$expected" ||
                fail "round $round: the journal holds neither state:
$ondisk"
            expected=$ondisk
            break
        fi
        expected=$(wait_journal_change "$expected") || fail "round $round: change $j not journalled"
        done_here=1
        j=$((j + 1))
    done
    if [ -n "$pid" ]; then
        kill -9 "$pid"
        wait "$pid" 2>/dev/null
        pid=""
    fi
    [ "$(dump)" = "$expected" ] || fail "round $round: the journal lost the last completed change"
    round=$((round + 1))
done
rows=$(rows_of "$expected" | wc -l)
echo "$ROUNDS kills survived in $(( $(date +%s) - started )) s; the fight has $rows rows"

# The last fight restored, then a normal quit: no journal, no question.
launch
answer_yes
quit_program
[ -e "$JOURNAL" ] && fail "a normal quit left the journal"
launch
no_question
echo "a normal quit leaves no journal and the next start asks nothing"

# A second copy beside the first never touches the first's journal.
new_character "Prvni"
xdotool key Return
first=$(wait_journal_change "") || fail "the first copy wrote no journal"
cp "$JOURNAL" "$WORK/first.journal"
first_pid=$pid
"$PROGRAM" 2>>"$WORK/stderr" &
second_pid=$!
sleep 1.5
xdotool search --onlyvisible --name "$QUESTION" >/dev/null 2>&1 && fail "the second copy asked"
kill -9 "$second_pid" 2>/dev/null
wait "$second_pid" 2>/dev/null
cmp -s "$JOURNAL" "$WORK/first.journal" || fail "the second copy touched the journal"
[ -e "$JOURNAL.bak" ] && fail "the second copy set the journal aside"
pid=$first_pid
quit_program
[ -e "$JOURNAL" ] && fail "the first copy's normal quit left the journal"
echo "a second copy leaves the first's journal alone"
