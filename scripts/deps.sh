#!/bin/sh
# Installs whatever of the build and test tools is missing (Debian 12).
set -eu

PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev \
fonts-dejavu-core qt6-translations-l10n \
xvfb xauth x11-utils xdotool xclip openbox libxcb1-dev \
librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian imagemagick \
shared-mime-info xdg-utils libglib2.0-bin \
qt6-httpserver-dev qt6-websockets-dev libqrencode-dev chromium curl python3 poppler-utils"

missing=""
for p in $PACKAGES; do
    # A package whose triggers are still to run (another dpkg at work) is
    # installed all the same.
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null |
        grep -Eq "install ok (installed|triggers-pending|triggers-awaited)"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
