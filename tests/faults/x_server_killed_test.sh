#!/bin/sh
# The X server dying in the middle of a round: the game ends within a second, says why in one line, exits non-zero, no core.
set -u
game=$1
. "$(dirname "$0")/../window/xvfb_session.sh"
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# A desktop session's runtime folder, so that the toolkit has nothing to say at start; and room for a core file,
# so that a crash would leave one.
export XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
ulimit -c unlimited 2>/dev/null || true
cd "$session_dir" || exit 1

"$game" 2>"$session_dir/game.log" &
game_pid=$!
main=$(xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1)
[ -n "$main" ] || fail "no game window"
# The round is running, presses still arriving and the board repainting, when the server goes.
xdotool mousemove --window "$main" 40 215 click --repeat 30 --delay 10 1
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
cat "$session_dir/game.log"
[ "$gone_after" -lt 1000 ] || fail "it took ${gone_after} ms to end"
[ "$status" -ne 0 ] || fail "it ended with status 0 as if the player had closed it"
[ "$status" -lt 128 ] || fail "it was killed by signal $((status - 128))"
ls "$session_dir" | grep -q '^core' && fail "it left a core dump"
[ "$(wc -l < "$session_dir/game.log")" -eq 1 ] || fail "wanted one line on standard error"
grep -qiE 'X11 connection broke|X server' "$session_dir/game.log" || fail "the line does not name the lost X connection"
echo "ok"
