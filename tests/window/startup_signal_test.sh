#!/bin/sh
# SIGTERM ends the game while it still starts: here a Wayland display that takes the connection and never answers
# keeps the toolkit waiting before any window or event loop exists.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
need python3
runtime=$(mktemp -d)
game_log=$runtime/game.log
chmod 700 "$runtime"
game_pid=
mute_pid=
cleanup() {
    for pid in $game_pid $mute_pid; do kill -KILL "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
python3 -c '
import socket, sys, time
listener = socket.socket(socket.AF_UNIX)
listener.bind(sys.argv[1])
listener.listen(1)
held = listener.accept()
time.sleep(60)' "$runtime/wayland-mute" &
mute_pid=$!
for _ in $(seq 50); do [ -S "$runtime/wayland-mute" ] && break; sleep 0.1; done

XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-mute QT_QPA_PLATFORM=wayland "$game" >"$game_log" 2>&1 &
game_pid=$!
sleep 1.5
kill -0 "$game_pid" 2>/dev/null || fail "the game did not wait for the display"
terminate_game 5
echo "SIGTERM during the start ended the game with status 0"
