#!/bin/sh
# 20 000 clicks in one burst on the real game: no crash, and the record it writes is exactly 20000.
set -u
game=$1 close_window=$2 reference=$3
. "$(dirname "$0")/../support/testlib.sh"
start_x_session
record_label=201x33+0+233 # below the button's last row
# The count's letters, below the reach of the hands (their tips end four pixels past the dial's rim) and above the
# record: the sweep hand rests where its last tick left it, and a flood this size holds up many of its ticks.
score_label=97x27+104+205

# A crop of a label once two readings 0.2 s apart agree, so that a frame still on its way on a busy machine is
# not taken for the label's last picture.
settled_crop() {
    crop "$1" "$2" "$3"
    for _ in $(seq 25); do
        sleep 0.2
        crop "$1" "$2-again" "$3"
        same_image "$session_dir/$2.png" "$session_dir/$2-again.png" && return 0
        mv "$session_dir/$2-again.png" "$session_dir/$2.png"
    done
    fail "the $2 crop did not settle in 5 s"
}

# How many pixels of two crops differ, and the box around them.
differing_pixels() {
    compare "$session_dir/$1.png" "$session_dir/$2.png" -compose src "$session_dir/diff.png" 2>/dev/null
    echo "$(compare -metric AE "$session_dir/$1.png" "$session_dir/$2.png" null: 2>&1) pixels differ" \
        "within $(convert "$session_dir/diff.png" -trim -format '%wx%h%O' info: 2>/dev/null)"
}

# The board a round of N presses leaves, played in-process by the same window code on this server.
reference_crop() {
    "$reference" "$1" >"$session_dir/reference.out" 2>"$session_dir/reference.err" &
    reference_pid=$!
    # Its round plays in a second or two; on a machine busy with other tests, it may take many more.
    await_output "Record: $1 pushes" 30 cat "$session_dir/reference.out" ||
        fail "reference of $1 presses did not come up; it printed: $seen $(cat "$session_dir/reference.err")"
    window=$(game_window 30)
    settled_crop "$window" "record-$1" "$record_label"
    settled_crop "$window" "score-$1" "$score_label"
    kill "$reference_pid"
    wait "$reference_pid" 2>/dev/null
}

show_game 30 "$game"
began=$(date +%s)
click_button 20000 0
sent_after=$(( $(date +%s) - began ))
echo "20000 clicks sent in ${sent_after} s"
[ "$sent_after" -lt 40 ] || fail "sending took ${sent_after} s, too close to the end of the minute to count"

await_verdict 90
# Two points half a turn apart, above and below the verdict box: the resting sweep hand may cover one of them.
[ "$(dial_colour)" = "255,255,255" ] || [ "$(pixel "$main" 100 25)" = "255,255,255" ] ||
    fail "the dial is not white: $(dial_colour) and $(pixel "$main" 100 25)"
answer_no "$prompt"
# The needle, left at 20000 mod 360 = 200 degrees, goes back up with the record written in the same redraw.
# The sweep hand, drawn above the needle, may rest across that place: its blue is then all there is to see.
await_pixel 82 147 255,255,255 || [ "$seen" = 0,0,255 ] || fail "the needle did not leave 200 degrees: $seen"
settled_crop "$main" record-game "$record_label"
settled_crop "$main" score-game "$score_label"
close_game 60 || fail "the game ended with status $?"

reference_crop 20000
reference_crop 19999
# The crops tell one press apart, so equality with 20000 and not with 19999 means the count is exact.
same_image "$session_dir/record-20000.png" "$session_dir/record-19999.png" && fail "the record crop cannot tell 19999 from 20000"
same_image "$session_dir/record-game.png" "$session_dir/record-20000.png" || fail "the game's record is not that of 20000 presses"
same_image "$session_dir/score-game.png" "$session_dir/score-20000.png" ||
    fail "the game's count label is not that of 20000 presses: $(differing_pixels score-game score-20000)"
echo "20000 clicks: no crash, dial white, record label that of exactly 20000 presses"
