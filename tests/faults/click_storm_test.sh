#!/bin/sh
# 20 000 clicks in one burst on the real game: no crash, and the record it writes is exactly 20000.
set -u
game=$1
close_window=$2
reference=$3
. "$(dirname "$0")/../window/xvfb_session.sh"
command -v compare >/dev/null 2>&1 || { echo "SKIP: compare (ImageMagick) is not installed"; exit 77; }
export XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
record_label=201x33+0+233 # below the button's last row
score_label=97x33+104+200

game_window() { xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1; }

# The board a round of N presses leaves, played in-process by the same window code on this server.
reference_crop() {
    "$reference" "$1" >"$session_dir/reference.out" 2>/dev/null &
    reference_pid=$!
    for _ in $(seq 100); do [ -s "$session_dir/reference.out" ] && break; sleep 0.1; done
    [ "$(cat "$session_dir/reference.out")" = "Record: $1 pushes" ] || fail "reference of $1 presses did not come up"
    window=$(game_window)
    sleep 0.3
    crop "$window" "$record_label" "record-$1"
    crop "$window" "$score_label" "score-$1"
    kill "$reference_pid"
    wait "$reference_pid" 2>/dev/null
}

"$game" 2>"$session_dir/game.log" &
game_pid=$!
main=$(game_window)
[ -n "$main" ] || fail "no game window"
sleep 0.5
began=$(date +%s)
xdotool mousemove --window "$main" 40 215 click --repeat 20000 --delay 0 1
sent_after=$(( $(date +%s) - began ))
echo "20000 clicks sent in ${sent_after} s"
[ "$sent_after" -lt 40 ] || fail "sending took ${sent_after} s, too close to the end of the minute to count"

prompt=$(timeout 90 xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$prompt" ] || fail "no verdict after the minute"
[ "$(pixel "$main" 100 180)" = "255,255,255" ] || fail "the dial is not white: $(pixel "$main" 100 180)"
xdotool windowfocus --sync "$prompt" key n
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] || fail "No did not close the verdict"
crop "$main" "$record_label" record-game
crop "$main" "$score_label" score-game
"$close_window" "$main" || fail "could not ask the game window to close"
wait "$game_pid"
status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$session_dir/game.log")"

reference_crop 20000
reference_crop 19999
# The crops tell one press apart, so equality with 20000 and not with 19999 means the count is exact.
same_image "$session_dir/record-20000.png" "$session_dir/record-19999.png" && fail "the record crop cannot tell 19999 from 20000"
same_image "$session_dir/record-game.png" "$session_dir/record-20000.png" || fail "the game's record is not that of 20000 presses"
same_image "$session_dir/score-game.png" "$session_dir/score-20000.png" || fail "the game's count label is not that of 20000 presses"
echo "20000 clicks: no crash, dial white, record label that of exactly 20000 presses"
