#!/bin/sh
# Fails when a folder of src/ includes a header of a folder above it in the
# layer order (scripts/layers.txt, bottom first), printing each such line.
# Known exceptions on their way out are listed in scripts/layers-allowed.txt,
# one "<folder> <included path>" a line.
# usage: check_layers.sh [source root] [layer file] [allow-list]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
src=${1:-$root/src}
layers=${2:-$root/scripts/layers.txt}
allowed=${3:-$root/scripts/layers-allowed.txt}
[ -f "$allowed" ] || allowed=/dev/null

status=0
find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | LC_ALL=C sort -z |
    xargs -0 awk -v src="$src/" -v layers="$layers" -v allowed="$allowed" '
    BEGIN {
        bad = 0
        n = 0
        while ((getline line < layers) > 0) {
            sub(/#.*/, "", line)
            gsub(/[ \t\r]/, "", line)
            if (line != "")
                rank[line] = n++
        }
        if (n == 0) {
            print "check_layers: no layers in " layers > "/dev/stderr"
            bad = 2
            exit
        }
        while ((getline line < allowed) > 0) {
            if (line ~ /^[ \t]*(#|$)/)
                continue
            split(line, part, /[ \t]+/)
            allow[part[1] " " part[2]] = 1
        }
    }
    FNR == 1 {
        file = FILENAME
        folder = substr(file, length(src) + 1)
        sub(/\/.*/, "", folder)
        if (!(folder in rank)) {
            printf "%s: the folder %s has no place in %s\n", file, folder, layers
            bad = 1
        }
    }
    /^[ \t]*#[ \t]*include[ \t]*"[^"\/]+\/[^"]*"/ {
        target = $0
        sub(/^[^"]*"/, "", target)
        sub(/".*/, "", target)
        to = target
        sub(/\/.*/, "", to)
        if (!(folder in rank))
            next
        if (!(to in rank)) {
            printf "%s:%d: %s (%s is no layer)\n", file, FNR, $0, to
            bad = 1
        } else if (rank[to] > rank[folder] && !((folder " " target) in allow)) {
            printf "%s:%d: %s (%s lies above %s)\n", file, FNR, $0, to, folder
            bad = 1
        }
    }
    END { exit bad }
    ' || status=1
if [ "$status" -ne 0 ]; then
    echo "check_layers: includes against the layer order ($layers)" >&2
    exit 1
fi
