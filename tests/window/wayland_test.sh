#!/bin/sh
# The game runs natively on a Wayland compositor (weston, headless), without falling back, and ends cleanly.
set -u
game=$1
. "$(dirname "$0")/../support/testlib.sh"
need weston
need_wayland_plugin

runtime=$(mktemp -d)
game_log=$runtime/game.log
chmod 700 "$runtime"
cleanup() {
    for pid in ${game_pid:-} ${weston_pid:-}; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$runtime"
unset DISPLAY
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$runtime/wayland-test" ] && break; sleep 0.05; done
[ -S "$runtime/wayland-test" ] || { cat "$runtime/weston.log"; fail "weston did not start"; }

WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland QT_DEBUG_PLUGINS=0 "$game" >"$game_log" 2>&1 &
game_pid=$!
sleep 4
kill -0 "$game_pid" 2>/dev/null || fail "the game did not keep running on Wayland"
# A fallback to another platform, or any complaint of the Wayland plugin, shows in its output.
if grep -qiE 'fail|error|could not|xcb|fallback|warning' "$game_log"; then
    fail "the game complained on Wayland"
fi
terminate_game 5
echo "ran 4 s natively on Wayland without a complaint, ended with status 0"
