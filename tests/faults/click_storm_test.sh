#!/bin/sh
# 20 000 clicks in one burst on the real game: no crash, and the record it writes is exactly 20000.
set -u
game=$1
close_window=$2
reference=$3
. "$(dirname "$0")/../window/xvfb_session.sh"
record_label=201x33+0+233 # below the button's last row
score_label=97x33+104+200

# The board a round of N presses leaves, played in-process by the same window code on this server.
reference_crop() {
    "$reference" "$1" >"$session_dir/reference.out" 2>"$session_dir/reference.err" &
    reference_pid=$!
    for _ in $(seq 100); do [ -s "$session_dir/reference.out" ] && break; sleep 0.1; done
    [ "$(cat "$session_dir/reference.out")" = "Record: $1 pushes" ] ||
        fail "reference of $1 presses did not come up; it printed: $(cat "$session_dir/reference.out" "$session_dir/reference.err")"
    window=$(game_window 30)
    sleep 0.3
    crop "$window" "$record_label" "record-$1"
    crop "$window" "$score_label" "score-$1"
    kill "$reference_pid"
    wait "$reference_pid" 2>/dev/null
}

start_game "$game"
main=$(game_window 30)
[ -n "$main" ] || fail "no game window"
await_dial "$main" 0,255,0 || fail "design dial is not green: $seen"
began=$(date +%s)
click_button "$main" 20000 0
sent_after=$(( $(date +%s) - began ))
echo "20000 clicks sent in ${sent_after} s"
[ "$sent_after" -lt 40 ] || fail "sending took ${sent_after} s, too close to the end of the minute to count"

prompt=$(verdict_window 90)
[ -n "$prompt" ] || fail "no verdict after the minute"
[ "$(dial_colour "$main")" = "255,255,255" ] || fail "the dial is not white: $(dial_colour "$main")"
answer_no "$prompt"
# The needle, left at 20000 mod 360 = 200 degrees, goes back up with the record written in the same redraw.
await_pixel "$main" 82 147 255,255,255 || fail "the needle did not leave 200 degrees: $seen"
crop "$main" "$record_label" record-game
crop "$main" "$score_label" score-game
close_game "$main" 60 || fail "the game ended with status $?"

reference_crop 20000
reference_crop 19999
# The crops tell one press apart, so equality with 20000 and not with 19999 means the count is exact.
same_image "$session_dir/record-20000.png" "$session_dir/record-19999.png" && fail "the record crop cannot tell 19999 from 20000"
same_image "$session_dir/record-game.png" "$session_dir/record-20000.png" || fail "the game's record is not that of 20000 presses"
same_image "$session_dir/score-game.png" "$session_dir/score-20000.png" || fail "the game's count label is not that of 20000 presses"
echo "20000 clicks: no crash, dial white, record label that of exactly 20000 presses"
