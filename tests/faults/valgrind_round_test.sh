#!/bin/sh
# A whole round of the real game under valgrind memcheck, from start to the window's close: no memory error, no leak.
set -u
game=$1 close_window=$2 suppressions=$4
. "$(dirname "$0")/../support/testlib.sh"
need valgrind
start_x_session
report=$session_dir/memcheck.log

# Under memcheck every step is slow: the window, each redraw, the verdict box going.
show_game 60 valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 --suppressions="$suppressions" --log-file="$report" "$game"
play_round 50 30
sleep 1
close_game 30
status=$?

grep -E 'ERROR SUMMARY|definitely lost|in use at exit' "$report" | sed 's/^==[0-9]*== *//'
[ "$status" -ne 99 ] || { cat "$report"; fail "memcheck found errors"; }
[ "$status" -eq 0 ] || fail "the game ended with status $status"
grep -q 'ERROR SUMMARY: 0 errors' "$report" || { cat "$report"; fail "memcheck's summary is not clean"; }
echo "a whole round under memcheck: no error, no leak"
