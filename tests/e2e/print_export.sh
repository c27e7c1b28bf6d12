#!/bin/sh
# The fight on paper, in the real program under a window manager: a character
# and a monster entered by keys, the monster wounded by keys (Ctrl+B, 5
# lives), then Soubor > Exportovat do PDF with the name typed into the real
# file dialog and Enter. The PDF's text (pdftotext) holds both names (a name
# like markup shown as typed), the monster's lives less the wound and the
# character's experience. Print support is not loaded until the export needs
# it. With E2E_SHOTS set, the Soubor menu and Soubor > Náhled před tiskem are
# left as screenshots.
# usage: print_export.sh <program>
set -u
PROGRAM=$1
. "$(dirname "$0")/lib.sh"

print_support_loaded() { grep -q 'libQt6PrintSupport' "/proc/$pid/maps"; }

mkdir -p "$HOME/Documents"
start_display
start_program
print_support_loaded && fail "the start loaded print support"
xdotool windowactivate --sync "$window" 2>/dev/null

xdotool key --clearmodifiers ctrl+p
type_into_dialog '^Nová postava$' "Aragorn"
xdotool key --clearmodifiers ctrl+n
type_into_dialog '^Nová nestvůra$' "Skret <b>&"
# Each roster's row selected by keys.
for menu_key in p n; do
    xdotool key --clearmodifiers alt+b
    sleep 0.3
    xdotool key "$menu_key"
    sleep 0.3
    xdotool key Down
    sleep 0.2
done
xdotool key --clearmodifiers ctrl+b
wait_for_window '^Zranit nestvůru$' >/dev/null || fail "Ctrl+B opened no wound dialog"
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 5
xdotool key Return
sleep 0.5

xdotool key --clearmodifiers alt+s
sleep 0.3
xdotool key e
dialog=$(wait_for_window '^Exportovat do PDF$') || fail "no export dialog"
sleep 0.5
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "vecer"
xdotool key Return
PDF="$HOME/Documents/vecer.pdf"
for i in $(seq 100); do
    [ -s "$PDF" ] && break
    sleep 0.1
done
[ -s "$PDF" ] || fail "no PDF at $PDF: $(ls -R "$HOME")"
print_support_loaded || fail "the export did not go through the print module"
text=$(pdftotext -layout "$PDF" -)
echo "$text" | sed 's/^/  /' | head -30
echo "$text" | grep -q 'Skret <b>&' || fail "the monster's name is not in the PDF as typed"
row=$(echo "$text" | grep -m1 '^ *Skret <b>&  ')
set -- $(echo "$row" | sed 's/Skret <b>&//')
lives=$1 max=$2
taken=$((max - lives))
expected=$((max < 5 ? max : 5))
[ "$taken" -eq "$expected" ] || fail "the monster shows $lives of $max lives after a wound of 5"
set -- $(echo "$text" | grep -m1 '^ *Aragorn  ' | sed 's/Aragorn//')
[ "$4" -gt 0 ] || fail "Aragorn's experience in the PDF is '$4'"
echo "the wounded monster ($lives of $max lives) and Aragorn ($4 experience) are in the PDF"

if [ -n "${E2E_SHOTS:-}" ]; then
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool key --clearmodifiers alt+s
    sleep 0.4
    import -window root "$E2E_SHOTS/soubor-tisk.png"
    xdotool key h
    wait_for_window '^Náhled před tiskem$' >/dev/null || fail "no preview"
    sleep 1.5
    import -window root "$E2E_SHOTS/nahled.png"
    xdotool key Escape
    sleep 0.3
fi
quit_program
echo "a wound by keys, then the PDF through the real file dialog"
