#!/bin/sh
# On a running X display: starts PROGRAM, waits for its window, and checks the window is its own and stays up.
# Usage: window-appears.sh PROGRAM TITLE WM_CLASS
set -eu
. "$(dirname "$0")/lib.sh"
program=$1 title=$2 wm_class=$3
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY to start $program on"

runtime=$(mktemp -d)
game_log=$runtime/game.log
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$program" >"$game_log" 2>&1 &
pid=$!
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$runtime"
}
trap stop EXIT

window=""
tries=0
while [ -z "$window" ]; do
    kill -0 "$pid" 2>/dev/null || fail "$program exited before its window appeared"
    [ "$tries" -lt 100 ] || fail "no window titled '$title' within 20 seconds"
    window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
    tries=$((tries + 1))
    [ -n "$window" ] || sleep 0.2
done

# The window must belong to the program we started, not to anything else on the display.
owner=$(xprop -id "$window" _NET_WM_PID | sed -n 's/.* = //p')
[ "$owner" = "$pid" ] || fail "the window '$title' belongs to process '$owner', not to $program ($pid)"
# Launchers match windows to their menu entry by this class; it has to be the entry's StartupWMClass.
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.* = //p')
case $class in
    *", \"$wm_class\"") ;;
    *) fail "the window's WM_CLASS is $class, the menu entry expects class \"$wm_class\"" ;;
esac

sleep 3
kill -0 "$pid" 2>/dev/null || fail "$program did not stay running"
xdotool search --name "^$title\$" >/dev/null 2>&1 || fail "the window '$title' went away"
echo "window: '$title' (class $class) is up and owned by $program"
