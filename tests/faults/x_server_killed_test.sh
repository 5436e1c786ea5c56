#!/bin/sh
# The X server dying in the middle of a round: the game ends within a second, says why in one line, exits 1, no core.
set -u
game=$1
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
. "$(dirname "$0")/../support/testlib.sh"
start_x_session

# Room for a core file, so that a crash would leave one (ulimit -c is not POSIX, but dash, bash and busybox sh have it).
# shellcheck disable=SC3045
ulimit -c unlimited 2>/dev/null || true
cd "$session_dir" || exit 1

show_game 30 "$game"
# The round is running, presses still arriving and the board repainting, when the server goes.
click_button 30 10
xdotool click --repeat 1000 --delay 2 1 2>/dev/null &
sleep 0.5
kill -KILL "$xvfb_pid"
killed=$(now_ms)
while kill -0 "$game_pid" 2>/dev/null && [ $(( $(now_ms) - killed )) -lt 5000 ]; do sleep 0.01; done
gone_after=$(( $(now_ms) - killed ))
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs ${gone_after} ms after the X server died"
wait "$game_pid"
status=$?
game_pid=

echo "game ended ${gone_after} ms after the X server was killed, status $status; it said:"
cat "$game_log"
[ "$gone_after" -lt 1000 ] || fail "it took ${gone_after} ms to end"
[ "$status" -ne 0 ] || fail "it ended with status 0 as if the player had closed it"
[ "$status" -lt 128 ] || fail "it was killed by signal $((status - 128))"
# The toolkit's X11 plugin exits 1 when the connection breaks; the manual page promises exactly that status.
[ "$status" -eq 1 ] || fail "it ended with status $status, not the 1 of a lost display"
for core in "$session_dir"/core*; do [ -e "$core" ] && fail "it left a core dump: $core"; done
[ "$(wc -l < "$game_log")" -eq 1 ] || fail "wanted one line of output"
grep -qiE 'X11 connection broke|X server' "$game_log" || fail "the line does not name the lost X connection"
echo "ok"
