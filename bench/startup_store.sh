#!/bin/sh
# Start-up over a big store: the real program (startup_app, which ends at the
# first paint of its main window) over a 10 MiB configuration and over a 63 MiB
# file of small values, against an empty store. Prints, per case, the median
# wall time from start to exit after the first paint and the median peak
# resident set size (GNU time).
# usage: startup_store.sh STARTUP_APP STORE_FILES [ROUNDS]
set -eu
APP=$1
FILES=$2
ROUNDS=${3:-5}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$FILES" "$WORK"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

run_case() {
    name=$1
    store=$2
    : > "$WORK/times"
    : > "$WORK/rss"
    for round in $(seq 0 "$ROUNDS"); do
        home="$WORK/home"
        rm -rf "$home"
        mkdir -p "$home/config/mecovnik" "$home/runtime"
        chmod 700 "$home/runtime"
        [ -n "$store" ] && cp "$store" "$home/config/mecovnik/registry.reg"
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
            QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%e %M' -o "$WORK/one" "$APP" \
            >/dev/null 2>"$WORK/log" || { cat "$WORK/log"; exit 1; }
        # Round 0 warms the caches.
        [ "$round" -eq 0 ] && continue
        awk '{ print $1 * 1000 }' "$WORK/one" >> "$WORK/times"
        awk '{ print $2 / 1024 }' "$WORK/one" >> "$WORK/rss"
    done
    printf '%-22s %10s ms %10s MiB\n' "$name" "$(median < "$WORK/times")" \
        "$(median < "$WORK/rss")"
}

echo "start-up to first paint (and exit), median of $ROUNDS rounds, offscreen"
run_case "empty store" ""
run_case "10 MiB store" "$WORK/store10.reg"
run_case "63 MiB file" "$WORK/file63.reg"
