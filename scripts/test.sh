#!/bin/sh
# Installs what is missing, builds everything and runs the whole test suite.
# With --sanitize the build uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build="$root/build"
extra=""
if [ "${1:-}" = "--sanitize" ]; then
    build="$root/build-sanitize"
    extra="-DMECOVNIK_SANITIZE=ON"
fi
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $extra >/dev/null
cmake --build "$build" -j2
cd "$build"
ctest --output-on-failure -j2 --timeout 300
