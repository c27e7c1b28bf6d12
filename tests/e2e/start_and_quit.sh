#!/bin/sh
# Starts the real program under a virtual X display as a user would, waits for
# its main window, ends it with Alt+X and expects exit code 0.
# usage: start_and_quit.sh <program>
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"

cat > "$work/inner.sh" <<INNER
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset QT_QPA_PLATFORM
"$program" 2> "$work/stderr" &
pid=\$!
start=\$(date +%s%N)
window=""
for i in \$(seq 200); do
    window=\$(xdotool search --name "^Mečovník pro Hradomor\$" 2>/dev/null | head -n 1)
    [ -n "\$window" ] && break
    sleep 0.05
done
if [ -z "\$window" ]; then
    echo "the main window did not appear"; cat "$work/stderr"; kill \$pid; exit 1
fi
echo "main window after \$(( (\$(date +%s%N) - start) / 1000000 )) ms"
sleep 0.5
xdotool windowfocus --sync "\$window" 2>/dev/null
xdotool key alt+x
for i in \$(seq 100); do
    kill -0 \$pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 \$pid 2>/dev/null; then
    echo "Alt+X did not end the program"; cat "$work/stderr"; kill \$pid; exit 1
fi
wait \$pid
code=\$?
echo "exit code \$code"
[ \$code -eq 0 ] || { cat "$work/stderr"; exit 1; }
INNER
xvfb-run -a -s "-screen 0 1280x1024x24" sh "$work/inner.sh"
