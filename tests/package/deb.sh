#!/bin/sh
# Installs the build tree under a prefix of its own and checks that the menu
# entry names the program installed there. Builds the Debian package from the
# build tree and checks it: its file list,
# its dependencies, the validators of the menu entry, the AppStream metadata
# and the package itself; then, when run as root, installs it with dpkg -i,
# starts the installed program with its menu entry's command (with a PATH
# that lacks /usr/games, as many users have) under a virtual display with a
# window manager, and removes it with dpkg -r.
# usage: deb.sh <build dir>
set -u
BUILD=$1
PROGRAM=/usr/games/mecovnik
. "$(dirname "$0")/../e2e/lib.sh"

installed_here=""
package_cleanup() {
    [ -n "$installed_here" ] && dpkg -r mecovnik >/dev/null 2>&1
    e2e_cleanup
}
trap package_cleanup EXIT

cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }
exec_line=$(grep '^Exec=' "$WORK/prefix/share/applications/cz.ferdax.mecovnik.desktop")
[ "$exec_line" = "Exec=$WORK/prefix/games/mecovnik %f" ] ||
    fail "installed under $WORK/prefix, the menu entry says $exec_line"
[ -x "$WORK/prefix/games/mecovnik" ] || fail "the menu entry's command is no program"
echo "installed under a prefix of its own, the menu entry starts $WORK/prefix/games/mecovnik"

# The fight file's type, as the desktop sees it in a throw-away home: a
# .souboj file is application/x-mecovnik-souboj, and the menu entry opens it.
update-mime-database "$WORK/prefix/share/mime" >"$WORK/mime.log" 2>&1 ||
    { cat "$WORK/mime.log"; fail "update-mime-database failed"; }
printf '{"format": "mecovnik-souboj"}\n' >"$WORK/večer.souboj"
desktop_env() {
    env XDG_DATA_DIRS="$WORK/prefix/share:/usr/share" XDG_DATA_HOME="$HOME/.local/share" \
        XDG_CURRENT_DESKTOP=GNOME "$@"
}
type=$(desktop_env xdg-mime query filetype "$WORK/večer.souboj")
[ "$type" = application/x-mecovnik-souboj ] || fail "a .souboj file is of type '$type'"
handler=$(desktop_env xdg-mime query default application/x-mecovnik-souboj)
[ "$handler" = cz.ferdax.mecovnik.desktop ] || fail "fight files open with '$handler'"
grep -q '<icon name="cz.ferdax.mecovnik"/>' \
    "$WORK/prefix/share/mime/application/x-mecovnik-souboj.xml" || fail "the type has no icon"
echo "xdg-mime: a .souboj file is $type, opened by $handler, with the program's icon"

cpack -G DEB -B "$WORK/out" --config "$BUILD/CPackConfig.cmake" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack failed"; }
deb=$(ls "$WORK"/out/mecovnik_*.deb)
echo "built $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{ print $6 $7 $8 }' >"$WORK/files"
for f in ./usr/libexec/mecovnik/mecovnik ./usr/libexec/mecovnik/mecovnik.HLP \
    ./usr/libexec/mecovnik/libmecovnik_print.so ./usr/libexec/mecovnik/libmecovnik_share.so \
    './usr/games/mecovnik->../libexec/mecovnik/mecovnik' \
    ./usr/share/applications/cz.ferdax.mecovnik.desktop \
    ./usr/share/mime/packages/cz.ferdax.mecovnik.xml \
    ./usr/share/metainfo/cz.ferdax.mecovnik.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/cz.ferdax.mecovnik.svg \
    ./usr/share/man/man6/mecovnik.6.gz ./usr/share/doc/mecovnik/copyright \
    ./usr/share/doc/mecovnik/changelog.gz; do
    grep -qxF "$f" "$WORK/files" || fail "the package lacks $f"
done
for size in 16 22 24 32 48 64 128 256; do
    f=./usr/share/icons/hicolor/${size}x${size}/apps/cz.ferdax.mecovnik.png
    grep -qxF "$f" "$WORK/files" || fail "the package lacks $f"
done
echo "the file list holds the program, its help file, its print and sharing modules, the link, menu entry, fight file type, icons and documents"

mkdir "$WORK/tree"
dpkg-deb -x "$deb" "$WORK/tree"
for size in 16 48 256; do
    got=$(file -b "$WORK/tree/usr/share/icons/hicolor/${size}x${size}/apps/cz.ferdax.mecovnik.png")
    echo "$got" | grep -q "PNG image data, $size x $size" || fail "the $size px icon is $got"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6 \
    libqt6httpserver6 libqrencode4 qt6-translations-l10n libc6; do
    echo "$depends" | grep -q "\\b$d\\b" || fail "Depends lacks $d: $depends"
done
echo "Depends: $depends"

desktop="$WORK/tree/usr/share/applications/cz.ferdax.mecovnik.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate reported the above"
appstreamcli validate --no-net \
    "$WORK/tree/usr/share/metainfo/cz.ferdax.mecovnik.metainfo.xml" >"$WORK/appstream.log" 2>&1 ||
    { cat "$WORK/appstream.log"; fail "appstreamcli validate failed"; }
lintian --fail-on error,warning "$deb" >"$WORK/lintian.log" 2>&1 ||
    { cat "$WORK/lintian.log"; fail "lintian reported the above"; }
echo "desktop-file-validate, appstreamcli validate and lintian: no error, no warning"

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: installing needs root; dpkg -i, the start and dpkg -r not run"
    exit 0
fi
if dpkg-query -W -f='${Status}' mecovnik 2>/dev/null | grep -q "ok installed"; then
    echo "SKIPPED: mecovnik is installed on this machine already; left alone"
    exit 0
fi
# Another helper's apt-get may hold the dpkg lock for a while.
for i in $(seq 60); do
    out=$(dpkg -i "$deb" 2>&1) && break
    echo "$out" | grep -q "lock" || { echo "$out"; fail "dpkg -i failed"; }
    sleep 2
done
installed_here=1
dpkg-query -W -f='${Status}' mecovnik | grep -q "ok installed" || fail "not installed"
[ -x /usr/libexec/mecovnik/mecovnik ] && [ -f /usr/libexec/mecovnik/mecovnik.HLP ] ||
    fail "the installed files are missing"
echo "installed with dpkg -i"
# The sharing module's libraries are all there (the program loads it only
# when the view is shared).
ldd /usr/libexec/mecovnik/libmecovnik_share.so >"$WORK/ldd" || fail "ldd failed on the sharing module"
! grep -q "not found" "$WORK/ldd" || { cat "$WORK/ldd"; fail "the sharing module lacks a library"; }
echo "the installed sharing module finds every library it needs"

command=$(sed -n 's/^Exec=\(.*\) %f$/\1/p' "$desktop")
[ "$command" = "$PROGRAM" ] || fail "the menu entry's command is $command, not $PROGRAM"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
start_display
env PATH=/usr/bin:/bin $command 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window '^Mečovník pro Hradomor$') || fail "the installed program showed no window"
xprop -id "$window" WM_CLASS | grep -q "\"$wm_class\"" ||
    fail "WM_CLASS $(xprop -id "$window" WM_CLASS) does not name $wm_class"
echo "the menu entry's command '$command' started the program; its window class is $wm_class"
sleep 0.5
# The help file beside the real program file, found through the link.
xdotool windowactivate --sync "$window" 2>/dev/null
# Nápověda > Obsah from the keyboard: the contents need no help context.
xdotool key --clearmodifiers alt+a
sleep 0.3
xdotool key --clearmodifiers Return
help=$(wait_for_window '^Nápověda – Mečovník$') || fail "the help contents showed no help window"
echo "the help contents opened the installed help file"
# Soubor > Nastavení tiskárny: the print module found beside the installed program.
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key a
setup=$(wait_for_window '^Nastavení strany$') || fail "the printer setup did not open"
xdotool key Escape
sleep 0.3
echo "the printer setup opened through the installed print module"
quit_program

dpkg -r mecovnik >/dev/null || fail "dpkg -r failed"
installed_here=""
[ ! -e /usr/games/mecovnik ] && [ ! -e /usr/libexec/mecovnik ] || fail "files left after dpkg -r"
echo "removed with dpkg -r"
