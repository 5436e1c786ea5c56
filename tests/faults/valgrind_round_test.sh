#!/bin/sh
# A whole round of the real game under valgrind memcheck, from start to the window's close: no memory error, no leak.
set -u
game=$1
close_window=$2
suppressions=$4
. "$(dirname "$0")/../window/xvfb_session.sh"
command -v valgrind >/dev/null 2>&1 || { echo "SKIP: valgrind is not installed"; exit 77; }
export XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
report=$session_dir/memcheck.log

valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 --suppressions="$suppressions" --log-file="$report" \
    "$game" 2>"$session_dir/game.log" &
game_pid=$!
main=$(timeout 60 xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1)
[ -n "$main" ] || fail "no game window under valgrind"
sleep 1
[ "$(pixel "$main" 100 180)" = "0,255,0" ] || fail "design dial is not green: $(pixel "$main" 100 180)"
xdotool mousemove --window "$main" 40 215 click --repeat 20 --delay 50 1
sleep 2
[ "$(pixel "$main" 100 180)" = "28,255,0" ] || fail "after 20 clicks the dial is $(pixel "$main" 100 180)"
prompt=$(timeout 90 xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$prompt" ] || fail "no verdict after the minute"
xdotool windowfocus --sync "$prompt" key n
for _ in $(seq 50); do [ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] && break; sleep 0.2; done
[ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] || fail "No did not close the verdict"
sleep 1
"$close_window" "$main" || fail "could not ask the game window to close"
for _ in $(seq 300); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end within 30 s of its window closing"
wait "$game_pid"
status=$?
game_pid=

grep -E 'ERROR SUMMARY|definitely lost|in use at exit' "$report" | sed 's/^==[0-9]*== *//'
[ "$status" -ne 99 ] || { cat "$report"; fail "memcheck found errors"; }
[ "$status" -eq 0 ] || fail "the game ended with status $status"
grep -q 'ERROR SUMMARY: 0 errors' "$report" || { cat "$report"; fail "memcheck's summary is not clean"; }
echo "a whole round under memcheck: no error, no leak"
