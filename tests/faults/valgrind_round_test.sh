#!/bin/sh
# A whole round of the real game under valgrind memcheck, from start to the window's close: no memory error, no leak.
set -u
game=$1
close_window=$2
suppressions=$4
. "$(dirname "$0")/../window/xvfb_session.sh"
command -v valgrind >/dev/null 2>&1 || { echo "SKIP: valgrind is not installed"; exit 77; }
report=$session_dir/memcheck.log

start_game valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 --suppressions="$suppressions" --log-file="$report" \
    "$game"
main=$(game_window 60)
[ -n "$main" ] || fail "no game window under valgrind"
await_dial "$main" 0,255,0 30 || fail "design dial is not green: $seen"
click_button "$main" 20 50
await_dial "$main" 28,255,0 30 || fail "after 20 clicks the dial is $seen"
prompt=$(verdict_window 90)
[ -n "$prompt" ] || fail "no verdict after the minute"
# Under memcheck the verdict box may take seconds to go.
answer_no "$prompt" 30
sleep 1
close_game "$main" 30
status=$?

grep -E 'ERROR SUMMARY|definitely lost|in use at exit' "$report" | sed 's/^==[0-9]*== *//'
[ "$status" -ne 99 ] || { cat "$report"; fail "memcheck found errors"; }
[ "$status" -eq 0 ] || fail "the game ended with status $status"
grep -q 'ERROR SUMMARY: 0 errors' "$report" || { cat "$report"; fail "memcheck's summary is not clean"; }
echo "a whole round under memcheck: no error, no leak"
