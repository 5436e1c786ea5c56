#!/bin/sh
# A whole round on the real game under an X server, played as a player would: clicks, the minute, Yes, then No.
set -u
game=$1
. "$(dirname "$0")/xvfb_session.sh"

"$game" 2>"$session_dir/game.log" &
game_pid=$!
main=$(xdotool search --sync --onlyvisible --name '^Der Tastenrenner$' | head -n 1)
[ -n "$main" ] || fail "no game window"
sleep 0.5
[ "$(pixel "$main" 100 180)" = "0,255,0" ] || fail "design dial is not green: $(pixel "$main" 100 180)"
crop "$main" 201x34+0+232 record-before

# 20 clicks: the dial turns round(20 * 255 / 180) = 28 red, the needle stands at 20 degrees.
xdotool mousemove --window "$main" 40 215 click --repeat 20 --delay 30 1
sleep 0.3
[ "$(pixel "$main" 100 180)" = "28,255,0" ] || fail "after 20 clicks the dial is $(pixel "$main" 100 180)"
[ "$(pixel "$main" 120 45)" = "0,255,255" ] || fail "the needle is not at 20 degrees: $(pixel "$main" 120 45)"

start=$(date +%s)
prompt=$(timeout 75 xdotool search --sync --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$prompt" ] || fail "no verdict after the minute"
elapsed=$(( $(date +%s) - start ))
[ "$elapsed" -ge 57 ] && [ "$elapsed" -le 62 ] || fail "verdict came $elapsed s after the clicks"

xdotool windowfocus --sync "$prompt" key Return
sleep 0.5
again=$(xdotool search --onlyvisible --name '^Blah$' | head -n 1)
[ -n "$again" ] || fail "Yes did not bring the verdict back"
xdotool windowfocus --sync "$again" key n
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Blah$')" ] || fail "No did not close the verdict"

# Idle: the needle is back up, the colour kept, the record label rewritten.
[ "$(pixel "$main" 120 45)" = "28,255,0" ] || fail "the needle did not return: $(pixel "$main" 120 45)"
[ "$(pixel "$main" 100 180)" = "28,255,0" ] || fail "the dial lost the round's colour"
crop "$main" 201x34+0+232 record-after
same_image "$session_dir/record-before.png" "$session_dir/record-after.png" && fail "the record label did not change"

# The next click starts a new round from one.
xdotool mousemove --window "$main" 40 215 click 1
sleep 0.3
[ "$(pixel "$main" 100 180)" = "1,255,0" ] || fail "the next click did not start a new round: $(pixel "$main" 100 180)"
kill -0 "$game_pid" || fail "the game died"
echo "round played: verdict after ${elapsed}s, Yes showed it again, No ended it, record rewritten, new round started"
