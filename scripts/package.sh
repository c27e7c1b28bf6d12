#!/bin/sh
# Builds the Debian package into build-package/: a release build with
# Debian's hardening flags, then cpack. Install it with
#   sudo apt install ./build-package/mecovnik_<version>_<arch>.deb
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build="$root/build-package"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMECOVNIK_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j2 --target mecovnik mecovnik_icons mecovnik_docs
cd "$build"
cpack -G DEB
ls "$build"/mecovnik_*.deb
